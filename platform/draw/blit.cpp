#include "platform/draw/blit.h"

#include "platform/draw/detail/gdi_state.h"
#include "platform/draw/raster.h"

namespace platform {
using namespace draw;

namespace {

BOOL Transfer(HDC dstDc, RECT dstRect, HDC srcDc, RECT srcRect, const PixelTransfer& transfer) {
    auto dst = FindDc(dstDc);
    auto src = FindDc(srcDc);
    if (!dst || !src || dstRect.empty() || srcRect.empty()) return kFalse;
    dst->noteChanged(
        TransferArea(*dst->target, dst->clip, dst->toTarget(dstRect), *src->target, src->toTarget(srcRect), transfer));
    return kTrue;
}

RECT Box(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    if (rop != SRCCOPY) return kFalse;
    return Transfer(dst, Box(x, y, width, height), src, Box(srcX, srcY, width, height), PixelTransfer{});
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop) {
    if (rop != SRCCOPY) return kFalse;
    return Transfer(dst, Box(x, y, width, height), src, Box(srcX, srcY, srcWidth, srcHeight), PixelTransfer{});
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT transparent) {
    PixelTransfer transfer;
    transfer.mode = PixelTransfer::Mode::ColorKey;
    transfer.key = OpaquePixel(transparent);
    return Transfer(dst, Box(x, y, width, height), src, Box(srcX, srcY, srcWidth, srcHeight), transfer);
}

BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend) {
    if (blend.BlendOp != AC_SRC_OVER || (blend.AlphaFormat & ~AC_SRC_ALPHA) != 0) return kFalse;
    PixelTransfer transfer;
    transfer.mode = PixelTransfer::Mode::Blend;
    transfer.constantAlpha = blend.SourceConstantAlpha;
    transfer.sourceAlpha = blend.AlphaFormat == AC_SRC_ALPHA;
    return Transfer(dst, Box(x, y, width, height), src, Box(srcX, srcY, srcWidth, srcHeight), transfer);
}

}  // namespace platform
