// Decoding of bitmap resources and files for the painter, with negative results kept too.
#include "platform/paint/ImageCache.h"

#include "platform/gdi/Bmp.h"
#include "platform/os/PathMap.h"
#include "platform/os/ResourceTable.h"

#include <fstream>
#include <iterator>

namespace paint {

namespace {

std::unique_ptr<Image> Decode(const std::uint8_t* data, std::size_t size) {
    gdi::DecodedBmp bmp;
    if (!data || !gdi::DecodeBmpAuto(data, size, bmp).empty())
        return nullptr;
    auto image = std::make_unique<Image>();
    image->width = bmp.width;
    image->height = bmp.height;
    image->pixels = std::move(bmp.pixels);
    return image;
}

} // namespace

ImageCache& ImageCache::Shared() {
    static ImageCache cache;
    return cache;
}

const Image* ImageCache::Resource(const std::string& name) {
    std::string key = os::AsciiUpper(name);
    auto it = resources_.find(key);
    if (it == resources_.end()) {
        const os::Resource* res = os::ResourceTable::Find(name);
        it = resources_.emplace(key, res ? Decode(res->data, res->size) : nullptr).first;
    }
    return it->second.get();
}

const Image* ImageCache::File(const std::string& path) {
    auto it = files_.find(path);
    if (it == files_.end()) {
        std::ifstream in(os::ResolvePath(path), std::ios::binary);
        std::unique_ptr<Image> image;
        if (in) {
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            image = Decode(bytes.data(), bytes.size());
        }
        it = files_.emplace(path, std::move(image)).first;
    }
    return it->second.get();
}

} // namespace paint
