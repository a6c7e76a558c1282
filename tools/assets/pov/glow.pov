// Radioactive Glow: lead-grey lids that leak green light; opened squares glow.
#include "common.inc"
MainLights(1.0)
#macro Trefoil(R, Col)
  // the three blades of the radiation sign, with the hub
  union { union {
    #for (K, 0, 2)
      prism { linear_sweep linear_spline 0, 0.2, 10,
        <0, 0>,
        #for (D, -30, 30, 10)
          <R * cos(radians(90 + 120 * K + D)), R * sin(radians(90 + 120 * K + D))>,
        #end
        <0, 0>, <0, 0>
        rotate -x * 90 }
    #end
    cylinder { <0, 0, -0.24> <0, 0, 0> R * 0.22 }
    texture { pigment { Col } finish { emission 0.3 specular 0.4 } }
  }
  cylinder { <0, 0, -0.22> <0, 0, 0.01> R * 0.32 texture { pigment { rgb <1, 0.85, 0> } finish { emission 0.4 } } }
  cylinder { <0, 0, -0.26> <0, 0, 0.01> R * 0.2 texture { pigment { Col } finish { emission 0.3 } } }
  }
#end
#if (Img = 9 | Img = 10)
  box { <-1.1, -1.1, 0.05> <1.1, 1.1, 1> texture { pigment { rgb <0.3, 1.0, 0.2> } finish { emission 1 } } }
  object { TileShape(0.15, 0.92) texture { pigment { granite color_map { [0 rgb <0.22, 0.25, 0.22>] [1 rgb <0.32, 0.36, 0.32>] } scale 0.5 }
    finish { specular 0.4 roughness 0.03 metallic } } }
  #if (Img = 10)
    cylinder { <0, 0, -0.05> <0, 0, 0> 0.78 texture { pigment { rgb <1, 0.85, 0> } finish { emission 0.4 } } }
    object { Trefoil(0.68, rgb 0.02) }
  #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> texture { pigment { spherical color_map { [0 rgb <0.01, 0.04, 0.01>] [1 rgb <0.08, 0.3, 0.06>] } scale 1.3 } finish { emission 1 diffuse 0 } } }
  #if (Img < 8)
    sphere { 0, 1 scale <0.75, 0.75, 0.01> translate z * -0.01 hollow texture { pigment { spherical color_map { [0 rgbt <0,0,0,1>] [1 rgbt <CountColour[Img].red, CountColour[Img].green, CountColour[Img].blue, 0.7>] } } finish { emission 1 } } }
    Numeral(Img + 1, 1.35, 0.12, CountGlow(Img + 1), rgb 0)
    // a second, wider dark rim so the glowing numeral stands clear of its halo
    object { Numeral(Img + 1, 1.35, 0.12, texture { pigment { rgb 0 } }, rgb 0) scale <1.08, 1.06, 1> translate z * 0.02 }
  #else
    cylinder { <0, -0.55, -0.3> <0, 0.55, -0.3> 0.48 texture { pigment { rgb <0.85, 0.75, 0.05> } finish { specular 0.6 ambient 0.2 } } }
    object { Trefoil(0.36, rgb 0) translate -z * 0.78 }
  #end
#end
