#include "rpg/format/picture.h"

#include <algorithm>

namespace rpgfmt {
namespace {

// Where pixel x of a row lives: its byte and the shift of its bits.
struct PixelSlot {
  std::size_t byte;
  int shift;
};

PixelSlot SlotOf(int x, int depth) {
  const int bit = x * depth;
  return {static_cast<std::size_t>(bit / 8), 8 - depth - bit % 8};
}

std::uint8_t Mask(int depth) { return depth == 2 ? 0x3 : 0x1; }

void EncodeFrame(const std::vector<std::uint8_t>& pixels, int w, int h, int depth,
                 std::uint8_t* out) {
  const std::size_t rowBytes = PictureRowBytes(w, depth);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = out + static_cast<std::size_t>(y) * rowBytes;
    for (int x = 0; x < w; ++x) {
      const PixelSlot s = SlotOf(x, depth);
      row[s.byte] |=
          static_cast<std::uint8_t>(pixels[static_cast<std::size_t>(y) * w + x] << s.shift);
    }
  }
}

// Decodes one frame; returns false when a padding bit is set.
bool DecodeFrame(const std::uint8_t* in, int w, int h, int depth,
                 std::vector<std::uint8_t>& pixels) {
  const std::size_t rowBytes = PictureRowBytes(w, depth);
  pixels.assign(static_cast<std::size_t>(w) * h, 0);
  bool clean = true;
  std::vector<std::uint8_t> used(rowBytes);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = in + static_cast<std::size_t>(y) * rowBytes;
    std::fill(used.begin(), used.end(), 0);
    for (int x = 0; x < w; ++x) {
      const PixelSlot s = SlotOf(x, depth);
      pixels[static_cast<std::size_t>(y) * w + x] = (row[s.byte] >> s.shift) & Mask(depth);
      used[s.byte] |= static_cast<std::uint8_t>(Mask(depth) << s.shift);
    }
    for (std::size_t i = 0; i < rowBytes; ++i) {
      if (row[i] & ~used[i]) clean = false;
    }
  }
  return clean;
}

}  // namespace

std::size_t PictureRowBytes(int width, int depth) {
  return static_cast<std::size_t>((width + 7) / 8) * static_cast<std::size_t>(depth);
}

std::size_t PictureFrameBytes(int width, int height, int depth) {
  return PictureRowBytes(width, depth) * static_cast<std::size_t>(height);
}

std::size_t PictureBytes(const Picture& pic) {
  return kPicHeaderSize + pic.frames.size() * PictureFrameBytes(pic.width, pic.height, pic.depth);
}

std::string CheckPicture(const Picture& pic) {
  if (pic.width < 1 || pic.width > kPicMaxSide || pic.height < 1 || pic.height > kPicMaxSide) {
    return "picture size " + std::to_string(pic.width) + "x" + std::to_string(pic.height) +
           " is outside 1x1 .. 255x255";
  }
  if (pic.depth != 1 && pic.depth != 2) {
    return "depth " + std::to_string(pic.depth) + " is neither 1 nor 2";
  }
  if (pic.frames.empty() || pic.frames.size() > kPicMaxFrames) {
    return std::to_string(pic.frames.size()) + " frames; a picture holds 1 to 255";
  }
  const std::size_t pixels = static_cast<std::size_t>(pic.width) * pic.height;
  for (std::size_t f = 0; f < pic.frames.size(); ++f) {
    if (pic.frames[f].size() != pixels) {
      return "frame " + std::to_string(f) + " holds " + std::to_string(pic.frames[f].size()) +
             " pixels instead of " + std::to_string(pixels);
    }
    for (std::uint8_t v : pic.frames[f]) {
      if (v > Mask(pic.depth)) {
        return "frame " + std::to_string(f) + " has pixel value " + std::to_string(v) +
               " that depth " + std::to_string(pic.depth) + " cannot hold";
      }
    }
  }
  return {};
}

std::vector<std::uint8_t> EncodePicture(const Picture& pic) {
  std::vector<std::uint8_t> out(PictureBytes(pic), 0);
  out[0] = pic.head[0];
  out[1] = pic.head[1];
  out[kPicWidthOffset] = static_cast<std::uint8_t>(pic.width);
  out[kPicHeightOffset] = static_cast<std::uint8_t>(pic.height);
  out[kPicFramesOffset] = static_cast<std::uint8_t>(pic.frames.size());
  out[kPicDepthOffset] = static_cast<std::uint8_t>(pic.depth);
  const std::size_t frameBytes = PictureFrameBytes(pic.width, pic.height, pic.depth);
  for (std::size_t f = 0; f < pic.frames.size(); ++f) {
    EncodeFrame(pic.frames[f], pic.width, pic.height, pic.depth,
                out.data() + kPicHeaderSize + f * frameBytes);
  }
  return out;
}

codec::Result<PictureView> ViewPicture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kPicHeaderSize) {
    return codec::ErrorAt(
        0, "picture header needs 6 bytes, " + std::to_string(bytes.size()) + " left");
  }
  PictureView v;
  v.width = bytes[kPicWidthOffset];
  v.height = bytes[kPicHeightOffset];
  v.frames = bytes[kPicFramesOffset];
  v.depth = bytes[kPicDepthOffset];
  if (v.width == 0 || v.height == 0) {
    return codec::ErrorAt(kPicWidthOffset, "picture of size " + std::to_string(v.width) + "x" +
                                               std::to_string(v.height));
  }
  if (v.depth != 1 && v.depth != 2) {
    return codec::ErrorAt(kPicDepthOffset,
                          "picture depth " + std::to_string(v.depth) + " is neither 1 nor 2");
  }
  if (v.frames == 0) return codec::ErrorAt(kPicFramesOffset, "picture has no frames");
  v.frameBytes = PictureFrameBytes(v.width, v.height, v.depth);
  const std::size_t bits = v.frameBytes * static_cast<std::size_t>(v.frames);
  if (kPicHeaderSize + bits > bytes.size()) {
    return codec::ErrorAt(kPicFramesOffset, std::to_string(v.frames) + " frames of " +
                                                std::to_string(v.frameBytes) +
                                                " bytes run past the end (" +
                                                std::to_string(bytes.size()) + " bytes)");
  }
  v.bits = bytes.subspan(kPicHeaderSize, bits);
  return v;
}

codec::Result<PictureRead> DecodePicture(std::span<const std::uint8_t> bytes) {
  const codec::Result<PictureView> view = ViewPicture(bytes);
  if (!view) return view.error();
  PictureRead r;
  Picture& pic = r.picture;
  pic.head = {bytes[0], bytes[1]};
  pic.width = view->width;
  pic.height = view->height;
  pic.depth = view->depth;
  r.size = view->Size();
  pic.frames.resize(static_cast<std::size_t>(view->frames));
  for (int f = 0; f < view->frames; ++f) {
    if (!DecodeFrame(view->Frame(f).data(), pic.width, pic.height, pic.depth,
                     pic.frames[static_cast<std::size_t>(f)])) {
      r.paddingClean = false;
    }
  }
  return r;
}

}  // namespace rpgfmt
