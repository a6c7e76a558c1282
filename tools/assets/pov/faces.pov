// Mutant Irradiated Faces: an opened square shows a face with as many eyes as there
// are bombs around it, in the count's colour, and the numeral as its mouth.
#include "common.inc"
MainLights(1.2)
#macro Eye(P, R)
  union {
    sphere { 0, R scale <1, 1, 0.6> texture { pigment { rgb 1 } finish { specular 0.6 ambient 0.2 } } }
    sphere { <0, 0, -R * 0.55> R * 0.5 scale <1, 1, 0.6> texture { pigment { rgb 0 } finish { specular 0.9 } } }
    translate P
  }
#end
#if (Img = 9 | Img = 10)
  // a sleeping, sickly face under a lead lid
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { pigment { granite color_map { [0 rgb <0.20, 0.30, 0.18>] [1 rgb <0.30, 0.42, 0.26>] } scale 0.7 } finish { specular 0.2 } } }
  object { TileShape(0.25, 0.94) texture { pigment { rgb <0.40, 0.55, 0.30> } normal { bumps 0.3 scale 0.1 } finish { specular 0.3 roughness 0.04 } } }
  #if (Img = 9)
    #for (S, -1, 1, 2)
      torus { 0.16, 0.03 rotate x * 90 clipped_by { plane { y, 0 } } translate <S * 0.35, 0.2, -0.02> pigment { rgb 0.1 } }
    #end
    torus { 0.25, 0.035 rotate x * 90 clipped_by { plane { -y, 0 } } scale <1, 0.4, 1> translate <0, -0.35, -0.02> pigment { rgb 0.1 } }
  #else
    // a grinning skull
    sphere { <0, 0.12, -0.1> 0.62 scale <1, 0.95, 0.4> texture { pigment { rgb <0.96, 0.94, 0.86> } finish { specular 0.4 ambient 0.2 } } }
    box { <-0.32, -0.75, -0.25> <0.32, -0.3, 0> texture { pigment { rgb <0.96, 0.94, 0.86> } finish { ambient 0.2 } } }
    #for (S, -1, 1, 2)
      sphere { <S * 0.25, 0.14, -0.38> 0.17 scale <1, 1.2, 1> pigment { rgb 0 } }
    #end
    #for (K, -2, 2)
      box { <K * 0.13 - 0.02, -0.75, -0.3> <K * 0.13 + 0.02, -0.45, -0.2> pigment { rgb 0.1 } }
    #end
  #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { pigment { rgb <0.06, 0.12, 0.05> } } }
  #if (Img < 8)
    sphere { 0, 0.96 scale <1, 1, 0.45> texture { pigment { CountColour[Img] * 0.75 + 0.08 } normal { bumps 0.25 scale 0.12 } finish { specular 0.4 roughness 0.03 ambient 0.2 } } }
    // eyes in an arc across the forehead
    #for (K, 0, Img)
      #if (Img = 0) #local U = 0; #else #local U = K / Img - 0.5; #end
      #local R = (Img < 3 ? 0.18 : 0.95 / (Img + 3.2));
      Eye(<U * 1.25, 0.55 - abs(U) * 0.3, -0.4>, R)
    #end
    object { Numeral(Img + 1, 0.95, 0.1, texture { pigment { rgb 1 } finish { ambient 0.35 specular 0.5 } }, rgb 0) translate <0, -0.3, -0.42> }
  #else
    sphere { 0, 0.96 scale <1, 1, 0.45> texture { pigment { rgb <0.9, 0.1, 0.05> } normal { bumps 0.3 scale 0.1 } finish { specular 0.4 ambient 0.2 } } }
    #for (S, -1, 1, 2) Eye(<S * 0.36, 0.3, -0.42>, 0.2) #end
    torus { 0.4, 0.06 rotate x * 90 clipped_by { plane { y, -0.05 } } translate <0, -0.05, -0.42> pigment { rgb 0 } }
    sphere { <0, -0.45, -0.42> 0.18 pigment { rgb 0 } }
  #end
#end
