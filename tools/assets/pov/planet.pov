// The default background: a blue-green planet with a ringed moon over a starfield.
#version 3.7;
global_settings { assumed_gamma 1.0 max_trace_level 6 }
camera { perspective location <0, 0, -20> look_at <0, 0, 0> angle 50 right x * 4 / 3 }
light_source { <-90, 35, 5> color rgb 1.6 }
light_source { <0, 0, -100> color rgb <0.05, 0.06, 0.1> shadowless }
// stars: tiny bright specks of a few sizes and tints on black
sky_sphere {
  pigment { bozo color_map { [0 rgb 0] [0.8 rgb 0] [0.83 rgb <0.5, 0.55, 0.8>] [0.86 rgb 1.3] [1 rgb 1.3] } scale 0.0013 }
  pigment { bozo color_map { [0 rgbt <0, 0, 0, 1>] [0.65 rgbt <0.05, 0.02, 0.10, 0.85>] [1 rgbt <0.03, 0.06, 0.18, 0.6>] } turbulence 0.8 scale 0.35 }
}
// the planet: oceans, continents, ice caps and a cloud shell, with a thin atmosphere
#declare Surface = texture {
  pigment { bozo turbulence 0.9 octaves 7 lambda 2.2 color_map {
      [0.00 rgb <0.02, 0.08, 0.30>] [0.52 rgb <0.05, 0.20, 0.50>] [0.55 rgb <0.75, 0.70, 0.45>] [0.58 rgb <0.20, 0.45, 0.15>]
      [0.75 rgb <0.35, 0.40, 0.15>] [0.88 rgb <0.50, 0.35, 0.20>] [1.00 rgb <0.90, 0.90, 0.95>] } scale 1.6 }
  finish { ambient 0 diffuse 0.9 specular 0.15 roughness 0.05 } }
#declare Caps = texture { pigment { gradient y color_map { [0 rgbt <1, 1, 1, 0>] [0.12 rgbt <1, 1, 1, 1>] [0.88 rgbt <1, 1, 1, 1>] [1 rgbt <1, 1, 1, 0>] }
  scale 2 translate -y turbulence 0.15 } finish { ambient 0 diffuse 0.9 } }
union {
  sphere { 0, 7 texture { Surface } texture { Caps scale 7 } }
  sphere { 0, 7.12 hollow texture { pigment { wrinkles turbulence 0.7 color_map { [0 rgbt <1, 1, 1, 1>] [0.55 rgbt <1, 1, 1, 1>] [0.8 rgbt <1, 1, 1, 0.2>] [1 rgbt <1, 1, 1, 0>] } scale <2.5, 0.8, 2.5> }
    finish { ambient 0 diffuse 0.9 } } }
  sphere { 0, 7.45 hollow pigment { rgbt 1 }
    interior { media { emission rgb <0.25, 0.45, 1> * 0.2 density { spherical density_map { [0 rgb 0] [0.04 rgb 0.8] [0.06 rgb 0.2] [1 rgb 0] } scale 7.45 } } } }
  rotate <-15, 30, 20>
  translate <4.5, -3.2, 4>
}
// a cratered moon with a ring, up and to the left
union {
  sphere { 0, 1.4 texture { pigment { granite color_map { [0 rgb <0.45, 0.42, 0.40>] [1 rgb <0.70, 0.66, 0.60>] } scale 0.5 }
    normal { dents 0.8 scale 0.2 } finish { ambient 0 diffuse 0.9 } } }
  disc { 0, y, 2.7, 1.9 texture { pigment { onion color_map { [0 rgbt <0.8, 0.7, 0.55, 0.3>] [0.3 rgbt <0.6, 0.55, 0.5, 0.6>] [0.6 rgbt <0.9, 0.8, 0.6, 0.35>] [1 rgbt <0.8, 0.7, 0.55, 0.3>] }
    scale 0.13 } finish { ambient 0 diffuse 0.8 } } }
  rotate <20, 0, -18>
  translate <-8.5, 4.4, 6>
}
