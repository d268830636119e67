#include "win32/WicPicture.h"

#include <objbase.h>
#include <wincodec.h>

#include <atomic>
#include <limits>

#include "win32/ComPointer.h"

namespace ui::win32 {

namespace {

std::atomic<std::uint64_t> pictureCount{0};

// COM for the calls in its scope: joins the thread's apartment when it has one, makes one when
// it has none, and leaves it as it found it.
class ComScope {
public:
    ComScope() : initialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialized) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized;
};

// Premultiplies as cairo does when it reads a PNG (rounded to the nearest), so that both
// libraries start from the same pixels.
std::uint8_t premultiply(unsigned alpha, unsigned component) {
    const unsigned t = alpha * component + 0x80u;
    return static_cast<std::uint8_t>(((t >> 8) + t) >> 8);
}

}  // namespace

WicPicture::WicPicture(int width, int height, std::vector<std::uint8_t> premultipliedBgra)
    : columns(width), rows(height), bytes(std::move(premultipliedBgra)), number(++pictureCount) {}

}  // namespace ui::win32

namespace ui {

std::unique_ptr<DecodedPicture> decodePng(const unsigned char* bytes, std::size_t size) {
    using win32::ComPointer;
    if (bytes == nullptr || size == 0 || size > std::numeric_limits<UINT>::max()) return nullptr;
    win32::ComScope com;
    ComPointer<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.receive())))) {
        return nullptr;
    }
    // WIC's own stream over the bytes, which stay where they are.
    ComPointer<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.receive())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size)))) {
        return nullptr;
    }
    ComPointer<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), &GUID_ContainerFormatPng,
                                                WICDecodeMetadataCacheOnDemand,
                                                decoder.receive()))) {
        return nullptr;
    }
    ComPointer<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.receive()))) return nullptr;
    ComPointer<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.receive())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 32768 ||
        height > 32768) {
        return nullptr;
    }
    const UINT stride = width * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()),
                                     pixels.data()))) {
        return nullptr;
    }
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        const unsigned alpha = pixels[i + 3];
        for (std::size_t c = 0; c < 3; ++c)
            pixels[i + c] = win32::premultiply(alpha, pixels[i + c]);
    }
    return std::make_unique<win32::WicPicture>(static_cast<int>(width), static_cast<int>(height),
                                               std::move(pixels));
}

}  // namespace ui
