// The title picture's scene: a tilted field of covered and opened squares under a
// warm light, one bomb on it, glowing.
#version 3.7;
global_settings { assumed_gamma 1.0 max_trace_level 6 }
camera { perspective location <0, 7.5, -9> look_at <0, 0, 0.8> angle 48 right x * 340 / 320 }
light_source { <-8, 14, -6> color rgb 1.1 }
light_source { <1.3, 1.6, 0.3> color rgb <1, 0.5, 0.15> fade_distance 2 fade_power 2 }
background { rgb <0.02, 0.02, 0.06> }
#declare DigitFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
#declare Colours = array[8] { rgb <0.1, 0.45, 1>, rgb <0.1, 0.8, 0.1>, rgb <1, 0.1, 0.08>, rgb <0.62, 0.22, 1>,
                              rgb <1, 0.55, 0>, rgb <0, 0.85, 0.9>, rgb <1, 0.25, 0.7>, rgb <1, 0.92, 0.1> }
#declare Rose = texture { pigment { wood turbulence 0.08 color_map { [0 rgb <0.36, 0.1, 0.05>] [0.4 rgb <0.5, 0.17, 0.08>] [0.7 rgb <0.3, 0.08, 0.04>] [1 rgb <0.42, 0.13, 0.06>] }
  scale <0.12, 0.12, 1> rotate x * 88 } finish { specular 0.6 roughness 0.01 reflection 0.05 } }
#declare Maple = texture { pigment { rgb <0.9, 0.78, 0.6> } finish { specular 0.2 } }
#include "title_board.inc"   // Open[7][9]: -1 covered, 0..8 a count, 9 the exploded bomb
#for (R, 0, 6) #for (C, 0, 8)
  #local P = <(C - 4) * 1.05, 0, (3 - R) * 1.05>;
  #local N = Open[R][C];
  #if (N < 0)
    superellipsoid { <0.15, 0.15> scale <0.5, 0.2, 0.5> translate P + y * 0.2 texture { Rose } }
  #else
    box { <-0.52, -0.02, -0.52> <0.52, 0.02, 0.52> translate P texture { Maple } }
    #if (N > 0 & N < 9)
      #local T = text { ttf DigitFont str(N, 0, 0) 0.15, 0 }
      #local Mn = min_extent(T); #local Mx = max_extent(T);
      object { T translate -(Mn + Mx) / 2 scale 0.75 rotate x * 90 translate P + y * 0.1
        texture { pigment { Colours[N - 1] } finish { ambient 0.15 specular 0.5 } } }
    #end
    #if (N = 9)
      sphere { P + y * 0.45, 0.42 texture { pigment { rgb 0.03 } finish { specular 0.9 roughness 0.005 reflection 0.15 } } }
      cylinder { P + <0.2, 0.8, 0>, P + <0.35, 1.05, 0>, 0.03 pigment { rgb <0.8, 0.7, 0.5> } }
      sphere { P + <0.36, 1.08, 0>, 0.11 texture { pigment { rgb <1, 0.9, 0.5> } finish { emission 1 } } }
      sphere { P + <0.36, 1.08, 0>, 0.3 hollow pigment { rgbt <1, 0.5, 0.1, 0.8> } finish { emission 0.8 } }
    #end
  #end
#end #end
