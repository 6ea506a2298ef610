#pragma once
// The pictures the windows name (icons, the transfer bitmap, the keypad's key
// faces), drawn in code so that nothing is loaded from disk at run time.
// A name is looked up the way the descriptions write it: a leading "~" and
// any folder are dropped and case does not matter, so
// "~C:\VLSDev\Images\bluball.ico" and "BluBall.ico" are the same picture.
#include <string>
#include <string_view>

#include <wx/bitmap.h>

namespace vl::ui::wxb {

// The resource's key: "bluball.ico" for "~C:\VLSDev\Images\BluBall.ico".
std::string pictureKey(std::string_view resource);

// Whether a picture of this name is linked in.
bool hasPicture(std::string_view resource);

// The picture drawn to fill size (pixels); an unknown name gives a grey
// question mark so that a missing picture shows rather than vanishes.
wxBitmap drawPicture(std::string_view resource, wxSize size);

}  // namespace vl::ui::wxb
