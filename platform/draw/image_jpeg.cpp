// JPEG through libjpeg. Its errors come back by a long jump to the one point below, which
// skips no C++ object with a destructor: the output rows live in the caller's frame.
#include "platform/draw/image_codecs.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "platform/services/detail/lazy_library.h"

namespace platform::draw {
namespace {

// The decoder's entry points; its library is opened at the first JPEG, not at start.
struct JpegCalls {
    decltype(&jpeg_std_error) stdError = nullptr;
    decltype(&jpeg_CreateDecompress) create = nullptr;
    decltype(&jpeg_mem_src) memorySource = nullptr;
    decltype(&jpeg_read_header) readHeader = nullptr;
    decltype(&jpeg_start_decompress) start = nullptr;
    decltype(&jpeg_read_scanlines) readScanlines = nullptr;
    decltype(&jpeg_finish_decompress) finish = nullptr;
    decltype(&jpeg_destroy_decompress) destroy = nullptr;
};

const JpegCalls* Jpeg(std::string* error) {
    return detail::OpenCalls<JpegCalls>(
        "libjpeg.so.62",
        [](detail::LazyLibrary& l, JpegCalls& c) {
            return l.Bind(c.stdError, "jpeg_std_error") && l.Bind(c.create, "jpeg_CreateDecompress") &&
                   l.Bind(c.memorySource, "jpeg_mem_src") && l.Bind(c.readHeader, "jpeg_read_header") &&
                   l.Bind(c.start, "jpeg_start_decompress") && l.Bind(c.readScanlines, "jpeg_read_scanlines") &&
                   l.Bind(c.finish, "jpeg_finish_decompress") && l.Bind(c.destroy, "jpeg_destroy_decompress");
        },
        error);
}

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings of damaged but readable files are not fatal

struct JpegResult {
    std::vector<std::uint8_t> rgb;
    int width = 0;
    int height = 0;
    std::string error;
};

bool Decode(const JpegCalls& jpeg, std::span<const std::uint8_t> bytes, JpegResult& result) {
    jpeg_decompress_struct info;
    ErrorTrap trap;
    info.err = jpeg.stdError(&trap.manager);
    trap.manager.error_exit = OnError;
    trap.manager.emit_message = OnMessage;
    if (setjmp(trap.jump)) {
        result.error = trap.message;
        jpeg.destroy(&info);
        return false;
    }
    jpeg.create(&info, JPEG_LIB_VERSION, sizeof(info));
    jpeg.memorySource(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg.readHeader(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (!ImageSizeAllowed(info.image_width, info.image_height)) {
        result.error = "JPEG too large";
        jpeg.destroy(&info);
        return false;
    }
    jpeg.start(&info);
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    result.rgb.resize(static_cast<std::size_t>(result.width) * result.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.rgb.data() + static_cast<std::size_t>(info.output_scanline) * result.width * 3;
        jpeg.readScanlines(&info, &row, 1);
    }
    jpeg.finish(&info);
    jpeg.destroy(&info);
    return true;
}

}  // namespace

DecodedImage DecodeJpeg(std::span<const std::uint8_t> bytes) {
    std::string why;
    const JpegCalls* jpeg = Jpeg(&why);
    if (!jpeg) return ImageFailure("no JPEG decoder: " + why);
    JpegResult result;
    if (!Decode(*jpeg, bytes, result)) return ImageFailure("broken JPEG: " + result.error);
    auto surface = std::make_shared<Surface>(result.width, result.height);
    const std::uint8_t* p = result.rgb.data();
    for (int y = 0; y < result.height; ++y)
        for (int x = 0; x < result.width; ++x, p += 3) surface->at(x, y) = 0xFF000000u | (p[0] << 16) | (p[1] << 8) | p[2];
    return DecodedImage{surface, {}};
}

}  // namespace platform::draw
