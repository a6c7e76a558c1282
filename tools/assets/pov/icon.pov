// The program icon: a black bomb with a lit fuse on a rosewood square.
#version 3.7;
global_settings { assumed_gamma 1.0 }
camera { orthographic location <0, 0, -10> look_at <0, 0, 0> right x * 2 up y * 2 }
light_source { <-6, 7, -12> color rgb 1.2 }
light_source { <7, -4, -9> color rgb 0.3 shadowless }
superellipsoid { <0.2, 0.2> scale <0.98, 0.98, 0.2> translate z * 0.2
  texture { pigment { wood turbulence 0.08 color_map { [0 rgb <0.36, 0.1, 0.05>] [0.4 rgb <0.55, 0.2, 0.1>] [0.7 rgb <0.3, 0.08, 0.04>] [1 rgb <0.42, 0.13, 0.06>] }
    scale <0.12, 0.12, 1> rotate x * 88 rotate z * 10 } finish { specular 0.6 roughness 0.01 } } }
sphere { <-0.08, -0.12, -0.5> 0.6 texture { pigment { rgb 0.04 } finish { specular 0.9 roughness 0.005 } } }
cylinder { <0.25, 0.36, -0.6> <0.38, 0.52, -0.6> 0.14 texture { pigment { rgb 0.3 } finish { specular 0.6 } } }
cylinder { <0.36, 0.5, -0.6> <0.55, 0.7, -0.6> 0.05 pigment { rgb <0.85, 0.75, 0.5> } }
sphere { <0.6, 0.74, -0.7> 0.17 texture { pigment { rgb <1, 0.85, 0.2> } finish { emission 1 } } }
#for (A, 0, 359, 45)
  cylinder { <0.6, 0.74, -0.7> <0.6 + 0.3 * cos(radians(A)), 0.74 + 0.3 * sin(radians(A)), -0.7> 0.045
    texture { pigment { rgb <1, 0.6, 0.1> } finish { emission 1 } } }
#end
