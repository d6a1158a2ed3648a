#include "data/font_list.h"

#include <vector>

#include "platform/backend.h"
#include "platform/draw_state.h"
#include "platform/services.h"

namespace {

std::vector<std::unique_ptr<FontContainer>>& Fonts() {
  static std::vector<std::unique_ptr<FontContainer>> fonts;
  return fonts;
}

}  // namespace

FontContainer* FontList::FindFont(int id) {
  for (const auto& c : Fonts()) {
    if (c->fontId == id) return c.get();
  }
  return nullptr;
}

int FontList::LoadFont(const std::string& path, int id, int size) {
  if (FindFont(id) != nullptr) return 0;
  Font* font = LoadFontFile(path, size, kSmoothFontFlag);
  if (font == nullptr) return 0;
  auto container = std::make_unique<FontContainer>();
  container->fontId = id;
  container->font.reset(font);
  Fonts().push_back(std::move(container));
  return 1;
}

void FontList::UseFont(int id) {
  if (FontContainer* c = FindFont(id)) SetTextFont(c->font.get());
}

void FontList::Reset() {
  for (const auto& c : Fonts()) {
    if (CurrentDrawState().font == c->font.get()) SetTextFont(nullptr);
  }
  Fonts().clear();
}
