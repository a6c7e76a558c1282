// Rosewood and Flower: polished rosewood covers, pale maple inlay when opened.
#include "common.inc"
MainLights(1.25)
#declare Rose = texture { pigment { wood turbulence 0.08 color_map {
    [0.0 rgb <0.36, 0.10, 0.05>] [0.4 rgb <0.50, 0.17, 0.08>] [0.7 rgb <0.30, 0.08, 0.04>] [1.0 rgb <0.42, 0.13, 0.06>] }
    scale <0.12, 0.12, 1> rotate x * 88 rotate z * 10 translate <0.3, 0.2, 0> }
  finish { specular 0.7 roughness 0.01 reflection 0.06 } }
#declare Maple = texture { pigment { wood turbulence 0.05 color_map {
    [0.0 rgb <0.86, 0.70, 0.50>] [0.5 rgb <0.93, 0.80, 0.60>] [1.0 rgb <0.84, 0.67, 0.46>] }
    scale <0.2, 0.2, 1> rotate x * 90 rotate z * 80 } finish { specular 0.3 roughness 0.05 } }
#if (Img = 9 | Img = 10)
  object { TileShape(0.12, 0.98) texture { Rose } }
  plane { z, 0.6 pigment { rgb <0.15, 0.05, 0.02> } }
  #if (Img = 10) object { Flower(1.15, rgb <1.0, 0.35, 0.55>, rgb <1, 0.85, 0.1>) } #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { Rose } }
  box { <-0.88, -0.88, -0.001> <0.88, 0.88, 1> texture { Maple } }
  #if (Img < 8)
    Numeral(Img + 1, 1.3, 0.12, CountPaint(Img + 1), rgb <0.15, 0.05, 0.02>)
  #else
    object { Bomb(1.05) }
  #end
#end
