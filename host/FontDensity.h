#pragma once

namespace host {

// Windows are laid out in pixels at 96 dots per inch, times the display's whole scale
// factor. A display whose scale was rounded down (125 % and 150 % draw at 1) still reports
// its own density, by which Qt would size text up to half as large again as the controls
// have room for. These convert between the point sizes the program works in and the ones
// handed to Qt, so that text takes the pixels it takes at 96 dots per inch. Where the
// display reports 96 (times its factor), both return their argument.
double displayPointSize(double layoutPoints);
double layoutPointSize(double displayPoints);

} // namespace host
