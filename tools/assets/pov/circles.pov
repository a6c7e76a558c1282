// Dark Circles: rings of colour in the dark.
#include "common.inc"
MainLights(1.1)
box { <-1.1, -1.1, 0> <1.1, 1.1, 1> pigment { rgb 0.015 } }
#if (Img = 9 | Img = 10)
  #for (K, 0, 4)
    torus { 0.88 - K * 0.18, 0.07 rotate x * 90 texture { pigment { rgb <0.18, 0.12, 0.28> + K * <0.04, 0.03, 0.06> }
      finish { specular 0.7 roughness 0.01 reflection 0.1 } } }
  #end
  sphere { 0, 0.12 scale <1, 1, 0.5> pigment { rgb <0.35, 0.25, 0.5> } finish { specular 0.6 } }
  #if (Img = 10)
    union { box { <-0.75, -0.12, -0.3> <0.75, 0.12, -0.1> } box { <-0.12, -0.75, -0.3> <0.12, 0.75, -0.1> } rotate z * 45
      texture { pigment { rgb <1, 0.1, 0.05> } finish { emission 0.5 specular 0.6 } } }
  #end
#else
  #if (Img < 8)
    torus { 0.82, 0.11 rotate x * 90 texture { pigment { CountColour[Img] * 0.9 } finish { emission 0.35 specular 0.6 roughness 0.01 } } }
    Numeral(Img + 1, 1.1, 0.12, CountPaint(Img + 1), rgb 0)
  #else
    torus { 0.82, 0.11 rotate x * 90 texture { pigment { rgb <0.6, 0, 0> } finish { emission 0.4 } } }
    object { Bomb(0.95) }
  #end
#end
