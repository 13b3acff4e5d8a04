#include "windows/images/images.h"

#include "windows/images/window_images.h"

namespace windows::images {

std::string_view toolbarImage(int index) {
  const std::string_view* const images[kToolbarImageCount] = {
      &kToolbar0Bmp, &kToolbar1Bmp, &kToolbar2Bmp, &kToolbar3Bmp, &kToolbar4Bmp,
      &kToolbar5Bmp, &kToolbar6Bmp, &kToolbar7Bmp, &kToolbar8Bmp,
  };
  return index >= 0 && index < kToolbarImageCount ? *images[index] : std::string_view();
}

std::string_view treeImage(int index) {
  const std::string_view* const images[kTreeImageCount] = {&kTree0Bmp, &kTree1Bmp, &kTree2Bmp};
  return index >= 0 && index < kTreeImageCount ? *images[index] : std::string_view();
}

}  // namespace windows::images
