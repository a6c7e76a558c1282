// Swirling Vod Meters: swirling enamel covers; opened squares are dials whose needle
// points at the count.
#include "common.inc"
MainLights(1.2)
#declare Swirl = texture { pigment { spiral1 3 turbulence 0.15 color_map {
    [0.0 rgb <0.15, 0.05, 0.35>] [0.35 rgb <0.35, 0.15, 0.65>] [0.55 rgb <0.1, 0.45, 0.7>] [0.8 rgb <0.2, 0.1, 0.45>] [1.0 rgb <0.15, 0.05, 0.35>] }
    rotate x * 90 scale 0.7 } finish { specular 0.7 roughness 0.01 reflection 0.08 } }
#if (Img = 9 | Img = 10)
  box { <-1.1, -1.1, 0.1> <1.1, 1.1, 1> pigment { rgb 0.05 } }
  object { TileShape(0.2, 0.97) texture { Swirl } }
  #if (Img = 10)
    cylinder { <0, 0, -0.06> <0, 0, 0> 0.7 texture { pigment { rgb <0.95, 0.1, 0.05> } finish { specular 0.5 ambient 0.2 } } }
    text { ttf DigitFont "!" 0.1, 0 scale 1.1 translate <-0.2, -0.52, -0.2> pigment { rgb 1 } finish { ambient 0.4 } }
  #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { Swirl } }
  cylinder { <0, 0, -0.04> <0, 0, 0> 0.93 texture { pigment { rgb <0.035, 0.035, 0.05> } finish { ambient 0.1 specular 0.5 roughness 0.01 } } }
  torus { 0.93, 0.05 rotate x * 90 texture { pigment { rgb <0.75, 0.7, 0.5> } finish { metallic specular 0.8 } } }
  // scale ticks from 1 to 8 over a 270 degree sweep, the ticks up to the count lit
  #local Count = (Img < 8 ? Img + 1 : 9);
  #for (K, 1, 8)
    #local A = radians(225 - (K - 1) * 270 / 7);
    #if (K > Count) #local TickColour = rgb 0.35;
    #elseif (Img < 8) #local TickColour = CountColour[Img];
    #else #local TickColour = rgb <1, 0, 0>;
    #end
    cylinder { <0.66 * cos(A), 0.66 * sin(A), -0.06> <0.86 * cos(A), 0.86 * sin(A), -0.06> 0.055
      texture { pigment { TickColour } finish { ambient 0.3 } } }
  #end
  #local A = radians(225 - (min(Count, 8.6) - 1) * 270 / 7);
  #if (Img < 8)
    object { Numeral(Img + 1, 1.1, 0.08, CountGlow(Img + 1), rgb 0) translate -z * 0.05 }
  #else
    object { Bomb(0.75) translate -z * 0.1 }
  #end
  cylinder { <0, 0, -0.045> <0.8 * cos(A), 0.8 * sin(A), -0.045> 0.035 texture { pigment { rgb <0.85, 0.1, 0.05> } finish { specular 0.6 ambient 0.3 } } }
  
#end
