#include "ui/text_button.h"

#include <algorithm>

#include "data/font_list.h"
#include "platform/services.h"

std::shared_ptr<TextButton> TextButton::Create(int x, int y, const std::string& caption,
                                               Callback onClick) {
  auto b = std::make_shared<TextButton>();
  b->x = x;
  b->y = y;
  b->caption = caption;
  b->onClick = std::move(onClick);
  FontList::UseFont(kTextButtonMeasureFont);
  SetDrawScale(1.0f, 1.0f);
  b->width = std::max(kTextButtonMinWidth, TextWidthOf(caption));
  b->height = TextHeightOf(caption);
  return b;
}

// The caption is scaled about the rectangle's centre: it starts at the
// scaled rectangle's left edge, whatever its own width.
void TextButton::Draw() {
  SetBlendMode(kBlendAlpha);
  ApplyLook();
  SetDrawAlpha(static_cast<float>(alpha.Value()));
  if (caption.empty()) return;
  const float s = static_cast<float>(scale.Value());
  FontList::UseFont(kTextButtonDrawFont);
  SetDrawColour(0, 0, 0);
  DrawTextAt(caption, x + (width - s * width) / 2.0f, y + (height - s * height) / 2.0f);
}
