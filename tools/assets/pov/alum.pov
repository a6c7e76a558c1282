// Aluminum Shielding: brushed, riveted plates; opened squares show stamped numerals.
#include "common.inc"
MainLights(1.25)
#declare Brushed = texture { pigment { rgb <0.72, 0.74, 0.77> } normal { bumps 0.12 scale <1, 0.004, 0.004> }
  finish { specular 0.8 roughness 0.01 metallic 0.7 diffuse 0.7 reflection 0.08 } }
#declare Dark = texture { pigment { rgb <0.33, 0.35, 0.38> } normal { bumps 0.1 scale <0.004, 1, 0.004> } finish { specular 0.3 diffuse 0.8 } }
#macro Rivets(D, R)
  #for (X, -1, 1, 2) #for (Y, -1, 1, 2)
    sphere { <D * X, D * Y, 0> R scale <1, 1, 0.6> texture { Brushed } }
  #end #end
#end
#if (Img = 9 | Img = 10)
  box { <-1.1, -1.1, 0.1> <1.1, 1.1, 1> pigment { rgb 0.1 } }
  object { TileShape(0.08, 0.97) texture { Brushed } }
  Rivets(0.78, 0.09)
  #if (Img = 10)
    prism { linear_sweep linear_spline 0, 0.12, 4, <0, 0.62>, <0.66, -0.52>, <-0.66, -0.52>, <0, 0.62> rotate -x * 90
      texture { pigment { rgb <1, 0.75, 0> } finish { specular 0.4 ambient 0.2 } } }
    text { ttf DigitFont "!" 0.1, 0 scale 0.85 translate <-0.16, -0.42, -0.22> pigment { rgb 0.02 } }
  #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { Dark } }
  Rivets(0.84, 0.06)
  #if (Img < 8)
    Numeral(Img + 1, 1.3, 0.1, CountPaint(Img + 1), rgb 0.02)
  #else
    object { Bomb(1.05) }
  #end
#end
