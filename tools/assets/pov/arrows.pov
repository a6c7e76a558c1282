// Exploding Arrows: arrows burst out of every opened square, one per bomb nearby.
#include "common.inc"
MainLights(1.2)
#macro Arrow(Len, Col)
  union {
    cylinder { <0, 0, 0> <Len - 0.22, 0, 0> 0.055 }
    cone { <Len - 0.24, 0, 0> 0.15 <Len, 0, 0> 0 }
    texture { pigment { Col } finish { specular 0.6 roughness 0.02 ambient 0.2 } }
  }
#end
#if (Img = 9 | Img = 10)
  box { <-1.1, -1.1, 0.1> <1.1, 1.1, 1> pigment { rgb 0.05 } }
  object { TileShape(0.2, 0.97) texture { pigment { gradient <1, 1, 0> color_map { [0 rgb <0.15, 0.25, 0.55>] [1 rgb <0.35, 0.55, 0.85>] } scale 2.2 translate <-1, -1, 0> } finish { specular 0.6 roughness 0.02 } } }
  // four arrows pointing in at the centre
  #for (K, 0, 3)
    object { Arrow(0.38, rgb <0.7, 0.8, 0.95>) translate x * 0.4 rotate y * 180 translate <0.85, 0, -0.08> rotate z * (45 + 90 * K) }
  #end
  #if (Img = 10)
    union {
      cylinder { <0, 0.85, -0.3> <0, -0.2, -0.3> 0.13 }
      cone { <0, -0.1, -0.3> 0.42 <0, -0.75, -0.3> 0 }
      texture { pigment { rgb <1, 0.15, 0.05> } finish { specular 0.6 ambient 0.25 } }
    }
  #end
#else
  box { <-1.1, -1.1, 0> <1.1, 1.1, 1> pigment { rgb <0.93, 0.9, 0.82> } }
  #if (Img < 8)
    #for (K, 0, Img)
      object { Arrow(0.42, CountColour[Img] * 0.8) translate <0.55, 0, -0.05> rotate z * (90 - 360 * K / (Img + 1) + 22.5 * (Img > 0)) }
    #end
    object { Numeral(Img + 1, 1.15, 0.12, CountPaint(Img + 1), rgb 0.03) translate -z * 0.1 }
  #else
    #for (K, 0, 11)
      object { Arrow(0.98, rgb <0.9, 0.1, 0.05>) rotate z * 30 * K }
    #end
    object { Bomb(0.8) translate -z * 0.2 }
  #end
#end
