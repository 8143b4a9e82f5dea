#include "BmpLayout.h"

#include "Errors.h"

#include <algorithm>

namespace zorvic {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMasksSize = 12;
constexpr std::uint32_t kUncompressed = 0; // BI_RGB
constexpr std::uint32_t kRle8 = 1;         // BI_RLE8
constexpr std::uint32_t kRle4 = 2;         // BI_RLE4
constexpr std::uint32_t kColourMasks = 3;  // BI_BITFIELDS
// Far beyond any screen, and small enough that sizes stay well inside 64-bit arithmetic.
constexpr long long kLargestSide = 1 << 16;

constexpr std::array<std::uint32_t, 3> kMasks555{0x7C00, 0x03E0, 0x001F};
constexpr std::array<std::uint32_t, 3> kMasks888{0x00FF0000, 0x0000FF00, 0x000000FF};

std::uint32_t Little(std::span<const std::uint8_t> data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint32_t>(data[at + i]) << (8 * i);
    return value;
}

class TLayoutReader {
public:
    TLayoutReader(std::span<const std::uint8_t> head, std::size_t fileSize, const std::string& name)
        : data_(head), fileSize_(fileSize), name_(name) {}

    TBmpLayout Read() {
        Require(fileSize_ >= kFileHeaderSize + 4, "the file is too short for a bitmap header");
        Require(data_[0] == 'B' && data_[1] == 'M', "it does not start with the BMP signature");
        const std::uint32_t pixelOffset = Little(data_, 10, 4);
        const std::uint32_t headerSize = Little(data_, 14, 4);
        Require(headerSize >= kInfoHeaderSize && headerSize <= 1024,
                "unsupported header size " + std::to_string(headerSize));
        Require(kFileHeaderSize + headerSize <= fileSize_, "the file ends inside its header");

        const auto width = static_cast<std::int32_t>(Little(data_, 18, 4));
        const auto storedHeight = static_cast<std::int32_t>(Little(data_, 22, 4));
        const std::uint32_t planes = Little(data_, 26, 2);
        const int bits = static_cast<int>(Little(data_, 28, 2));
        const std::uint32_t compression = Little(data_, 30, 4);
        const std::uint32_t coloursUsed = Little(data_, 46, 4);

        const long long height =
            storedHeight < 0 ? -static_cast<long long>(storedHeight) : storedHeight;
        Require(width >= 0, "negative width " + std::to_string(width));
        Require(width <= kLargestSide && height <= kLargestSide,
                "its dimensions " + std::to_string(width) + " x " + std::to_string(height) +
                    " are too large");
        Require(planes == 1, "its planes field is " + std::to_string(planes) + ", not 1");
        Require(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32,
                "unsupported colour depth of " + std::to_string(bits) + " bits");

        TBmpLayout layout;
        layout.width = width;
        layout.height = static_cast<int>(height);
        layout.topDown = storedHeight < 0;
        layout.bits = bits;
        const bool masks = ReadStorage(layout, compression);
        // The masks follow a 40-byte header and are the start of every longer one.
        const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        const std::size_t headersEnd =
            std::max(kFileHeaderSize + headerSize, masks ? masksAt + kMasksSize : 0);
        Require(headersEnd <= fileSize_, "the file ends inside its colour masks");
        if (bits <= 8) layout.palette = ReadColourTable(headersEnd, coloursUsed, bits);
        Require(pixelOffset >= headersEnd, "its pixel data offset " + std::to_string(pixelOffset) +
                                               " lies inside its headers");
        Require(pixelOffset <= fileSize_, "its pixel data offset " + std::to_string(pixelOffset) +
                                              " lies past the end of the file (" +
                                              std::to_string(fileSize_) + " bytes)");
        if (masks) ReadMasks(layout, masksAt);
        layout.pixelOffset = pixelOffset;
        layout.pixelBytes = fileSize_ - pixelOffset;
        return layout;
    }

private:
    void Require(bool condition, const std::string& reason) const {
        if (!condition) ThrowInvalidBmp(name_, reason);
    }

    // Sets the storage; true when colour masks follow the header.
    bool ReadStorage(TBmpLayout& layout, std::uint32_t compression) const {
        const int bits = layout.bits;
        const std::string unsupported = "unsupported compression " + std::to_string(compression) +
                                        " at " + std::to_string(bits) + " bits";
        switch (compression) {
        case kUncompressed:
            layout.storage = bits == 16 ? TBmpStorage::Masks : TBmpStorage::Rows;
            layout.masks = kMasks555;
            return false;
        case kRle8:
        case kRle4:
            Require(bits == (compression == kRle8 ? 8 : 4), unsupported);
            Require(!layout.topDown, "a compressed picture cannot be stored top-down");
            layout.storage = compression == kRle8 ? TBmpStorage::Rle8 : TBmpStorage::Rle4;
            return false;
        case kColourMasks:
            Require(bits == 16 || bits == 32, unsupported);
            return true;
        default:
            Require(false, unsupported);
            return false;
        }
    }

    void ReadMasks(TBmpLayout& layout, std::size_t at) const {
        for (std::size_t i = 0; i < 3; ++i)
            layout.masks[i] = CheckedMask(Little(data_, at + 4 * i, 4), layout.bits);
        layout.storage =
            layout.bits == 32 && layout.masks == kMasks888 ? TBmpStorage::Rows : TBmpStorage::Masks;
    }

    std::uint32_t CheckedMask(std::uint32_t mask, int bits) const {
        Require(bits == 32 || mask <= 0xFFFF, "a colour mask lies outside its 16-bit pixels");
        // One unbroken run of bits, or none.
        const std::uint32_t lowest = mask & (~mask + 1);
        Require(((mask + lowest) & mask) == 0, "a colour mask is not one run of bits");
        return mask;
    }

    std::vector<TColor> ReadColourTable(std::size_t at, std::uint32_t coloursUsed, int bits) const {
        const std::uint32_t capacity = 1u << bits;
        Require(coloursUsed <= capacity, "its colour table of " + std::to_string(coloursUsed) +
                                             " entries is too large for " + std::to_string(bits) +
                                             " bits");
        const std::size_t count = coloursUsed ? coloursUsed : capacity;
        Require(at + 4 * count <= fileSize_, "the file ends inside its colour table");
        std::vector<TColor> table;
        table.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            table.push_back(
                MakeColor(data_[at + 4 * i + 2], data_[at + 4 * i + 1], data_[at + 4 * i]));
        return table;
    }

    std::span<const std::uint8_t> data_;
    std::size_t fileSize_;
    const std::string& name_;
};

} // namespace

void ThrowInvalidBmp(const std::string& name, const std::string& reason) {
    throw EFileError(FormatMessage("File \"%s\" is not a valid bitmap: %s.", {name, reason}));
}

TBmpLayout ReadBmpLayout(std::span<const std::uint8_t> head, std::size_t fileSize,
                         const std::string& name) {
    return TLayoutReader(head, fileSize, name).Read();
}

} // namespace zorvic
