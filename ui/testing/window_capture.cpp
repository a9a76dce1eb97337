#include "ui/testing/window_capture.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kit::testing {

WindowCapture CaptureWindow(HWND hwnd) {
  WindowCapture capture;
  RECT r;
  if (hwnd == nullptr || !GetClientRect(hwnd, &r) || r.right <= 0 || r.bottom <= 0) return capture;
  const int w = r.right, h = r.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC window_dc = GetDC(hwnd);
  HDC mem = CreateCompatibleDC(window_dc);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib != nullptr) {
    HGDIOBJ old = SelectObject(mem, dib);
    if (BitBlt(mem, 0, 0, w, h, window_dc, 0, 0, SRCCOPY)) {
      capture.width = w;
      capture.height = h;
      const auto* p = static_cast<const uint32_t*>(bits);  // 0x00RRGGBB
      capture.pixels.reserve(static_cast<size_t>(w) * h);
      for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i)
        capture.pixels.push_back(((p[i] >> 16) & 0xFF) | (p[i] & 0xFF00) | ((p[i] & 0xFF) << 16));
    }
    SelectObject(mem, old);
    DeleteObject(dib);
  }
  DeleteDC(mem);
  ReleaseDC(hwnd, window_dc);
  return capture;
}

namespace {

void Put32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  Put32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                         static_cast<uInt>(body.size()))));
}

}  // namespace

bool SavePng(const WindowCapture& capture, const std::string& path) {
  if (capture.width <= 0 || capture.height <= 0) return false;
  std::string raw;
  raw.reserve(static_cast<size_t>(capture.width * 3 + 1) * capture.height);
  for (int y = 0; y < capture.height; ++y) {
    raw += '\0';  // no filter
    for (int x = 0; x < capture.width; ++x) {
      const uint32_t c = capture.At(x, y);
      raw += static_cast<char>(c & 0xFF);
      raw += static_cast<char>((c >> 8) & 0xFF);
      raw += static_cast<char>((c >> 16) & 0xFF);
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), 9) != Z_OK)
    return false;
  packed.resize(packed_size);
  std::string header;
  Put32(header, static_cast<uint32_t>(capture.width));
  Put32(header, static_cast<uint32_t>(capture.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", "");
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  return std::fwrite(png.data(), 1, png.size(), file.get()) == png.size();
}

std::string KeepScreenshot(const WindowCapture& capture, const std::string& name) {
  const char* dir = std::getenv("KIT_SCREENSHOT_DIR");
  if (dir == nullptr || *dir == '\0') return {};
  CreateDirectoryA(dir, nullptr);
  const std::string path = std::string(dir) + "/" + name + ".png";
  return SavePng(capture, path) ? path : std::string();
}

}  // namespace kit::testing
