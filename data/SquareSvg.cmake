# Makes the exported SVG (4/5 as high as wide, on white) a square icon with a
# clear background: the picture is centred on a square view box.
file(READ ${IN} svg)
string(REGEX MATCH "width=\"([0-9]+)\" height=\"([0-9]+)\"" _ "${svg}")
set(w ${CMAKE_MATCH_1})
set(h ${CMAKE_MATCH_2})
math(EXPR top "(${h} - ${w}) / 2")
string(REPLACE "width=\"${w}\" height=\"${h}\" viewBox=\"0 0 ${w} ${h}\""
       "width=\"${w}\" height=\"${w}\" viewBox=\"0 ${top} ${w} ${w}\"" svg "${svg}")
string(REGEX REPLACE "<rect width=\"${w}\" height=\"${h}\" fill=\"#ffffff\"/>\n" "" svg "${svg}")
file(WRITE ${OUT} "${svg}")
