// The clock face: a deep blue dial in a brass rim. Everything outside the rim is
// black, which the game draws as transparent; the hands are drawn by the game.
#version 3.7;
global_settings { assumed_gamma 1.0 }
camera { orthographic location <0, 0, -10> look_at <0, 0, 0> right x * 2 up y * 2 }
light_source { <-6, 7, -12> color rgb 1.3 }
light_source { <6, -3, -8> color rgb 0.3 shadowless }
background { rgb 0 }
#declare Brass = texture { pigment { rgb <0.85, 0.65, 0.25> } finish { ambient 0.25 diffuse 0.6 specular 0.8 roughness 0.01 metallic } }
cylinder { <0, 0, 0> <0, 0, 0.1> 0.88 texture { pigment { radial frequency 60 color_map { [0 rgb <0.015, 0.02, 0.07>] [1 rgb <0.025, 0.035, 0.10>] } rotate x * 90 }
  finish { ambient 0.12 diffuse 0.6 specular 0.3 } } }
torus { 0.9, 0.075 rotate x * 90 texture { Brass } }
#for (K, 0, 59)
  #local A = radians(90 - 6 * K);
  #if (mod(K, 5) = 0)
    cylinder { <0.66 * cos(A), 0.66 * sin(A), -0.02> <0.8 * cos(A), 0.8 * sin(A), -0.02> 0.04
      texture { pigment { rgb <1, 0.85, 0.4> } finish { ambient 0.6 diffuse 0.4 } } }
  #else
    sphere { <0.77 * cos(A), 0.77 * sin(A), -0.01> 0.018 texture { pigment { rgb <0.7, 0.75, 0.9> } finish { ambient 0.6 } } }
  #end
#end
sphere { <0, 0, 0> 0.07 scale <1, 1, 0.5> texture { Brass } }
