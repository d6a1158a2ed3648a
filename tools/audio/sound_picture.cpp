// Pictures of sounds (frequency over time): a windowed FFT every 10 ms, drawn with Cairo.
#include "audio/sound_picture.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace audio {
namespace {

void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const double ang = -2 * kPi / static_cast<double>(len);
    const std::complex<double> wl(std::cos(ang), std::sin(ang));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (size_t k = 0; k < len / 2; ++k) {
        const auto u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= wl;
      }
    }
  }
}

}  // namespace

bool WriteSoundPicture(const Samples& s, double seconds, const std::string& path) {
  const size_t fft = 4096, hop = kRate / 100;
  const size_t frames = std::min(s.size(), static_cast<size_t>(seconds * kRate)) / hop;
  const int height = 360;
  const int width = static_cast<int>(std::max<size_t>(frames, 1));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<std::complex<double>> buf(fft);
  for (size_t f = 0; f < frames; ++f) {
    for (size_t i = 0; i < fft; ++i) {
      const size_t at = f * hop + i;
      const double w = 0.5 - 0.5 * std::cos(2 * kPi * i / (fft - 1));
      buf[i] = at < s.size() ? s[at] * w : 0.0;
    }
    Fft(buf);
    for (int y = 0; y < height; ++y) {
      const double freq = 60.0 * std::pow(10000.0 / 60.0, 1.0 - static_cast<double>(y) / height);
      const size_t bin = static_cast<size_t>(freq * fft / kRate);
      const double db = GainToDb(std::abs(buf[bin]) / (fft / 4.0));
      const double v = std::clamp((db + 80.0) / 70.0, 0.0, 1.0);
      unsigned char* p = pixels + y * stride + f * 4;
      p[0] = static_cast<unsigned char>(255 * v * v);        // blue
      p[1] = static_cast<unsigned char>(255 * v);            // green
      p[2] = static_cast<unsigned char>(255 * std::sqrt(v)); // red
    }
  }
  // Octave lines at every C, from C2.
  for (double c = 65.41; c < 10000; c *= 2) {
    const int y = static_cast<int>(height * (1.0 - std::log(c / 60.0) / std::log(10000.0 / 60.0)));
    for (int x = 0; x < width; x += 4) pixels[y * stride + x * 4 + 2] = 255;
  }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace audio
