#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Icons.h"
#include "gdi/ImageFiles.h"
#include "gdi/SysMetrics.h"
#include "rtl/Resources.h"

namespace {

bool ReadFileBytes(const char* path, std::vector<uint8_t>& bytes) {
  // Only plain files: reading a folder or a device through a stream raises instead of failing.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

// The bytes of a resource, or an empty span.
std::span<const uint8_t> ResourceBytes(HINSTANCE instance, const char* name, LPCSTR type) {
  HRSRC found = FindResource(instance, name, type);
  if (!found) return {};
  const void* data = LockResource(LoadResource(instance, found));
  if (!data) return {};
  return {static_cast<const uint8_t*>(data), SizeofResource(instance, found)};
}

HANDLE Decode(std::span<const uint8_t> bytes, UINT type, int width, int height, bool fromResource) {
  if (bytes.empty()) return nullptr;
  if (type == IMAGE_BITMAP) {
    HBITMAP bitmap = fromResource ? DecodePackedDib(bytes.data(), bytes.size()) : nullptr;
    if (!bitmap) bitmap = DecodeBitmapFile(bytes.data(), bytes.size());
    if (bitmap && (width || height)) {
      HANDLE sized = CopyImage(bitmap, IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION | LR_COPYDELETEORG);
      return sized;
    }
    return bitmap;
  }
  return DecodeIconFile(bytes.data(), bytes.size(), width, height);
}

}  // namespace

HANDLE LoadImage(HINSTANCE instance, const char* name, UINT type, int width, int height, UINT flags) {
  if (!name || (type != IMAGE_BITMAP && type != IMAGE_ICON && type != IMAGE_CURSOR)) return nullptr;
  if ((flags & LR_DEFAULTSIZE) && type != IMAGE_BITMAP) {
    if (width == 0) width = GetSystemMetrics(type == IMAGE_ICON ? SM_CXICON : SM_CXCURSOR);
    if (height == 0) height = GetSystemMetrics(type == IMAGE_ICON ? SM_CYICON : SM_CYCURSOR);
  }
  if (flags & LR_LOADFROMFILE) {
    std::vector<uint8_t> bytes;
    if (IS_INTRESOURCE(name) || !ReadFileBytes(name, bytes)) return nullptr;
    return Decode(bytes, type, width, height, false);
  }
  const LPCSTR resourceType = type == IMAGE_BITMAP ? RT_BITMAP : type == IMAGE_ICON ? RT_ICON : RT_CURSOR;
  return Decode(ResourceBytes(instance, name, resourceType), type, width, height, true);
}

HBITMAP LoadBitmap(HINSTANCE instance, const char* name) {
  return static_cast<HBITMAP>(LoadImage(instance, name, IMAGE_BITMAP, 0, 0, 0));
}
