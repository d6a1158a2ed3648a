#include "ui/toggle_button.h"

#include "data/image_list.h"
#include "platform/services.h"

std::shared_ptr<ToggleButton> ToggleButton::Create(int x, int y, int imageId, Callback onClick) {
  return Make<ToggleButton>(x, y, imageId, std::move(onClick));
}

// Always alpha-blended, no caption; the mark shares the face's scale and colour.
void ToggleButton::Draw() {
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(static_cast<float>(alpha.Value()));
  ApplyLook();
  ApplyFaceColour();
  ImageList::DrawImage(imageId, x + width / 2, y + height / 2);
  if (markImageId != 0) ImageList::DrawImage(markImageId, markX, markY);
}
