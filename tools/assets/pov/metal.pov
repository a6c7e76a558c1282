// Ray-Traced Hot Metal: glowing red-hot plates; opened squares are cool steel with
// heat-coloured chrome numerals.
#include "common.inc"
MainLights(1.2)
#declare Hot = texture { pigment { granite turbulence 0.4 color_map {
    [0.0 rgb <1.0, 0.55, 0.10>] [0.3 rgb <0.95, 0.25, 0.02>] [0.7 rgb <0.6, 0.08, 0.0>] [1.0 rgb <1.0, 0.7, 0.2>] } scale 0.8 }
  finish { emission 0.55 diffuse 0.5 specular 0.6 metallic } }
#declare Steel = texture { pigment { rgb <0.22, 0.23, 0.26> } normal { bumps 0.08 scale <0.8, 0.01, 0.01> }
  finish { specular 0.6 roughness 0.02 metallic reflection 0.04 } }
sky_sphere { pigment { gradient y color_map { [0 rgb <0.9, 0.3, 0.05>] [0.5 rgb 0.05] [1 rgb <0.3, 0.35, 0.45>] } } }
#if (Img = 9 | Img = 10)
  box { <-1.1, -1.1, 0.1> <1.1, 1.1, 1> pigment { rgb 0.05 } }
  object { TileShape(0.18, 0.97) texture { Hot } }
  #if (Img = 10) object { Flag(1.0, rgb <0.05, 0.05, 0.08>) } #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { Steel } }
  #for (X, -1, 1, 2) #for (Y, -1, 1, 2)
    sphere { <0.82 * X, 0.82 * Y, 0> 0.07 texture { Steel } }
  #end #end
  #if (Img < 8)
    Numeral(Img + 1, 1.3, 0.2, texture { pigment { CountColour[Img] } finish { ambient 0.2 diffuse 0.6 specular 0.9 roughness 0.005 metallic reflection 0.05 } }, rgb 0.02)
  #else
    object { Bomb(1.05) }
  #end
#end
