// 3-D Abstract Stone: granite blocks; opened squares are slate with numerals in
// coloured marble.
#include "common.inc"
MainLights(1.3)
#declare Gran = texture { pigment { granite turbulence 0.3 color_map { [0 rgb <0.55, 0.50, 0.46>] [0.3 rgb <0.70, 0.66, 0.60>] [0.6 rgb <0.45, 0.40, 0.38>] [1 rgb <0.78, 0.74, 0.68>] } scale 0.6 } finish { specular 0.25 roughness 0.05 } normal { granite 0.25 scale 0.4 } }
#declare Slate = texture { pigment { granite color_map { [0 rgb <0.20, 0.21, 0.24>] [1 rgb <0.30, 0.31, 0.34>] } scale 0.6 }
  normal { granite 0.15 scale 0.5 } finish { specular 0.1 } }
#if (Img = 9 | Img = 10)
  box { <-1.1, -1.1, 0.2> <1.1, 1.1, 1> pigment { rgb 0.05 } }
  object { TileShape(0.3, 0.97) texture { Gran } }
  // abstract carving: a diagonal groove pair
  #if (Img = 10)
    object { Flag(1.0, rgb <0.9, 0.1, 0.05>) }
  #else
    torus { 0.45, 0.05 rotate x * 90 translate -z * 0.02 texture { Gran } }
  #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { Slate } }
  #if (Img < 8)
    Numeral(Img + 1, 1.3, 0.25, texture { pigment { marble turbulence 0.6 color_map {
        [0 CountColour[Img]] [0.7 CountColour[Img] * 0.9] [1 CountColour[Img] * 0.7 + 0.3] } scale 0.4 }
      finish { ambient 0.2 specular 0.5 roughness 0.01 } }, rgb 0.02)
  #else
    object { Bomb(1.05) }
  #end
#end
