#include "data/image_list.h"

#include <vector>

#include "app/globals.h"
#include "platform/services.h"

namespace {

// Registration order; containers never move, so found pointers stay valid.
std::vector<std::unique_ptr<ImageContainer>>& Images() {
  static std::vector<std::unique_ptr<ImageContainer>> images;
  return images;
}

bool Opaque(const Image* image, int frame, int x, int y) {
  return (ReadFramePixel(image, frame, x, y) >> 24) != 0;
}

bool RowHasOpaque(const Image* image, int frame, int width, int y) {
  for (int x = 0; x < width; ++x) {
    if (Opaque(image, frame, x, y)) return true;
  }
  return false;
}

bool ColumnHasOpaque(const Image* image, int frame, int height, int x) {
  for (int y = 0; y < height; ++y) {
    if (Opaque(image, frame, x, y)) return true;
  }
  return false;
}

// Takes ownership of a freshly loaded image (none when loading failed).
int Register(int id, int frames, Image* loaded) {
  if (loaded == nullptr) return 0;
  auto container = std::make_unique<ImageContainer>();
  container->firstId = id;
  container->frameCount = frames;
  container->image.reset(loaded);
  Images().push_back(std::move(container));
  return 1;
}

}  // namespace

std::optional<Area> ImageList::OpaqueBounds(int id) {
  const ImageContainer* c = FindImage(id);
  if (c == nullptr) return std::nullopt;
  const Image* image = c->image.get();
  const int frame = id - c->firstId;
  const int w = ImageWidthOf(image);
  const int h = ImageHeightOf(image);

  int top = 0;
  while (top < h && !RowHasOpaque(image, frame, w, top)) ++top;
  Area area;
  if (top == h) {
    // Nothing opaque: an empty box at the frame's top-left corner.
    area.width = 0;
    area.height = 0;
    area.x = -(w / 2);
    area.y = -(h / 2);
    return area;
  }
  int bottom = h - 1;
  while (bottom > top && !RowHasOpaque(image, frame, w, bottom)) --bottom;
  int left = 0;
  while (left < w && !ColumnHasOpaque(image, frame, h, left)) ++left;
  int right = w - 1;
  while (right > left && !ColumnHasOpaque(image, frame, h, right)) --right;

  area.width = right - left + 1;
  area.height = bottom - top + 1;
  area.x = left - (w - area.width) / 2;
  area.y = top - (h - area.height) / 2;
  return area;
}

ImageContainer* ImageList::FindImage(int id) {
  for (const auto& c : Images()) {
    if (c->firstId <= id && id < c->firstId + c->frameCount) return c.get();
  }
  return nullptr;
}

int ImageList::LoadImage(const std::string& path, int id) {
  if (FindImage(id) != nullptr) return 0;
  return Register(id, 1, LoadImageFile(path, kDefaultImageFlags));
}

int ImageList::LoadImageFrames(const std::string& path, int id, int frameWidth,
                               int frameHeight, int frames) {
  if (FindImage(id) != nullptr) return 0;
  return Register(id, frames,
                  LoadImageStrip(path, frameWidth, frameHeight, 0, frames, kDefaultImageFlags));
}

void ImageList::DrawWithShadow(int id, int x, int y, int mirrored, int nearShadow) {
  ImageContainer* c = FindImage(id);
  if (c == nullptr) return;
  Image* image = c->image.get();
  const int frame = id - c->firstId;
  const float facing = mirrored ? -1.0f : 1.0f;
  const float drop = nearShadow != 0 ? kNearShadowDrop : kFarShadowDrop;

  SetDrawColour(0, 0, 0);
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(kShadowAlpha);
  SetDrawScale(facing, kShadowSquash);
  DrawImageAt(image, static_cast<float>(x),
              static_cast<float>(y) + static_cast<float>(ImageHeightOf(image)) * drop, frame);

  ApplyTint();
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(1.0f);
  SetDrawScale(facing, 1.0f);
  DrawImageAt(image, static_cast<float>(x), static_cast<float>(y), frame);
}

void ImageList::DrawImage(int id, int x, int y) {
  ImageContainer* c = FindImage(id);
  if (c == nullptr) return;
  DrawImageAt(c->image.get(), static_cast<float>(x), static_cast<float>(y), id - c->firstId);
}

void ImageList::DrawRegion(int id, int srcX, int srcY, int width, int height, int x, int y) {
  ImageContainer* c = FindImage(id);
  if (c == nullptr) return;
  Image* image = c->image.get();
  SetViewportRect(x - width / 2, y - height / 2, width, height);
  // The frame is drawn centred, so this puts its pixel (srcX, srcY) on the
  // clip rectangle's top-left corner.
  const int drawX = x + ImageWidthOf(image) / 2 - width / 2 - srcX;
  const int drawY = y + ImageHeightOf(image) / 2 - height / 2 - srcY;
  DrawImageAt(image, static_cast<float>(drawX), static_cast<float>(drawY), id - c->firstId);
  SetViewportRect(0, 0, ScreenWidth, ScreenHeight);
}

void ImageList::Reset() { Images().clear(); }
