// Soft Tubes and Flowers: pastel tubes; flowers mark the suspected bombs.
#include "common.inc"
MainLights(1.15)
#macro TubeSquare(R, Thick, Col)
  union {
    #for (K, 0, 3)
      cylinder { <-R, R, 0> <R, R, 0> Thick rotate z * 90 * K }
      sphere { <R, R, 0> Thick rotate z * 90 * K }
    #end
    texture { pigment { Col } finish { specular 0.35 roughness 0.06 ambient 0.15 diffuse 0.8 } }
  }
#end
box { <-1.1, -1.1, 0.15> <1.1, 1.1, 1> pigment { rgb <0.98, 0.94, 0.86> } }
#if (Img = 9 | Img = 10)
  box { <-0.83, -0.83, -0.02> <0.83, 0.83, 0.2> pigment { rgb <0.70, 0.85, 0.95> } finish { specular 0.2 } }
  object { TubeSquare(0.8, 0.15, rgb <0.55, 0.75, 0.95>) }
  object { TubeSquare(0.52, 0.09, rgb <0.85, 0.75, 0.95>) }
  #if (Img = 10) object { Flower(1.25, rgb <1, 0.45, 0.6>, rgb <1, 0.85, 0.15>) translate -z * 0.15 } #end
#else
  #if (Img < 8)
    object { TubeSquare(0.82, 0.09, CountColour[Img] * 0.55 + 0.4) }
    Numeral(Img + 1, 1.25, 0.16, CountPaint(Img + 1), rgb <0.1, 0.1, 0.15>)
  #else
    object { TubeSquare(0.82, 0.09, rgb <1, 0.6, 0.6>) }
    object { Bomb(1.0) }
  #end
#end
