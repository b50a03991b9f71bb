#pragma once

namespace host
{

// Registers how font objects (host::Font) and picture objects (host::Picture) are held in a
// property bag's JSON form. Call once at start-up, before any stored layout is read.
//
//   font:    {"font": {"name": "宋体", "size": 9, "bold": false, "italic": false,
//                      "underline": false, "strikethrough": false, "charset": 134}}
//   picture: {"picture": {"type": 1, "png": "<base64 of a PNG file>"}}
//
// A picture's type is 1 bitmap, 2 metafile, 3 icon or 4 enhanced metafile; type 0 without
// "png" is the empty picture. An object that does not have this form raises RuntimeError
// 13 (font; 380 for a size out of range) or 481 (picture) while the bag is read.
void registerPropertyBagCodecs();

} // namespace host
