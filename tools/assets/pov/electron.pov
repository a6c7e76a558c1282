// Hot Electrons: glowing charges whirling around a nucleus in the dark.
#include "common.inc"
MainLights(1.0)
#macro Orbit(R, Tilt, Col)
  torus { R, 0.018 rotate x * 90 scale <1, 0.45, 1> rotate z * Tilt texture { pigment { Col } finish { emission 0.9 } } }
#end
#macro Electron(P, Col)
  sphere { P, 0.1 texture { pigment { Col } finish { emission 1 } } }
  sphere { P, 0.16 hollow pigment { rgbt <Col.red, Col.green, Col.blue, 0.75> } finish { emission 0.6 } }
#end
box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { pigment { gradient y color_map { [0 rgb <0.02, 0.02, 0.08>] [1 rgb <0.06, 0.05, 0.16>] } scale 2 translate -y } } }
#if (Img = 9 | Img = 10)
  object { TileShape(0.25, 0.97) texture { pigment { rgb <0.10, 0.12, 0.30> } finish { specular 0.8 roughness 0.01 reflection 0.15 } } }
  Orbit(0.62, 30, rgb <0.3, 0.6, 1.0>)
  Orbit(0.62, -30, rgb <0.3, 0.6, 1.0>)
  Orbit(0.62, 90, rgb <0.3, 0.6, 1.0>)
  #if (Img = 9)
    sphere { <0, 0, -0.1> 0.16 texture { pigment { rgb <0.6, 0.8, 1> } finish { emission 0.8 } } }
  #else
    sphere { <0, 0, -0.1> 0.42 texture { pigment { rgb <1, 0.15, 0.1> } finish { emission 0.8 specular 0.5 } } }
    Electron(<0.55, 0.32, -0.3>, rgb <1, 0.9, 0.2>)
    Electron(<-0.55, 0.32, -0.3>, rgb <1, 0.9, 0.2>)
    Electron(<0, -0.64, -0.3>, rgb <1, 0.9, 0.2>)
  #end
#else
  #if (Img < 8)
    // one glowing electron per neighbouring bomb, on a ring around the numeral
    #for (K, 0, Img)
      #local A = radians(90 - 360 * K / (Img + 1));
      Electron(<0.78 * cos(A), 0.78 * sin(A), -0.2>, CountColour[Img] * 1.1 + 0.1)
    #end
    Numeral(Img + 1, 1.15, 0.12, CountGlow(Img + 1), rgb <0.01, 0.01, 0.03>)
  #else
    sphere { <0, 0, -0.2> 0.55 texture { pigment { rgb <1, 1, 0.85> } finish { emission 1 } } }
    sphere { <0, 0, -0.2> 0.8 hollow pigment { rgbt <1, 0.5, 0.1, 0.6> } finish { emission 0.9 } }
    #for (K, 0, 11)
      #local A = radians(30 * K);
      cylinder { <0, 0, -0.1> <cos(A), sin(A), -0.1> 0.03 texture { pigment { rgb <1, 0.7, 0.2> } finish { emission 1 } } }
    #end
  #end
#end
