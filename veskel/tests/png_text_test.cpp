// Reading a PNG's text chunk without decoding it: every form of text chunk,
// what is no PNG, the bound on what is read, and damaged files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "png_text.h"

namespace {

namespace fs = std::filesystem;
using veskel::PngTextError;
using veskel::PngTextFound;
using veskel::readPngText;

std::string bigEndian(std::uint32_t n) {
    return {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)};
}

// One chunk with its length and checksum.
std::string chunk(const std::string& type, const std::string& data) {
    const std::string body = type + data;
    return bigEndian(static_cast<std::uint32_t>(data.size())) + body +
           bigEndian(static_cast<std::uint32_t>(
               crc32(0L, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

std::string deflated(const std::string& text) {
    uLongf size = compressBound(text.size());
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()), text.size());
    out.resize(size);
    return out;
}

const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
const std::string kHeader = chunk("IHDR", bigEndian(1) + bigEndian(1) + std::string("\x08\x06\0\0\0", 5));
const std::string kEnd = chunk("IEND", "");
const std::string kKey = "Veskel script";
constexpr std::size_t kLimit = 1000;

std::string png(const std::string& chunks) { return kSignature + kHeader + chunks + kEnd; }

class PngTextTest : public testing::Test {
protected:
    PngTextTest() : dir(fs::temp_directory_path() / ("png_text_" + std::to_string(getpid()))) {
        fs::create_directories(dir);
    }
    ~PngTextTest() override { fs::remove_all(dir); }

    std::string file(const std::string& bytes) {
        const std::string path = (dir / (std::to_string(++count) + ".png")).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // The text found, or the name of what was found instead.
    std::string read(const std::string& bytes) {
        const veskel::PngText t = readPngText(file(bytes), kKey, kLimit);
        switch (t.found) {
        case PngTextFound::Text: return t.text;
        case PngTextFound::NoText: return "<none>";
        case PngTextFound::NotPng: return "<not png>";
        case PngTextFound::TooBig: return "<too big>";
        }
        return "<?>";
    }
    std::string error(const std::string& bytes) {
        try {
            readPngText(file(bytes), kKey, kLimit);
        } catch (const PngTextError& e) {
            return e.what();
        }
        return "<no error>";
    }

    fs::path dir;
    int count = 0;
};

TEST_F(PngTextTest, ReadsTheChunkOfItsKeywordInEveryForm) {
    const std::string other = chunk("tEXt", std::string("Comment\0hidden", 14));
    const std::string idat = chunk("IDAT", std::string(100000, 'x'));
    EXPECT_EQ(read(png(chunk("tEXt", kKey + '\0' + "10 fd caf\xe9"))), "10 fd caf\xc3\xa9");  // Latin-1
    EXPECT_EQ(read(png(chunk("zTXt", kKey + '\0' + '\0' + deflated("20 fd\n")))), "20 fd\n");
    EXPECT_EQ(read(png(chunk("iTXt", kKey + std::string("\0\0\0en\0Skript\0", 13) + "caf\xc3\xa9"))),
              "caf\xc3\xa9");
    EXPECT_EQ(read(png(chunk("iTXt", kKey + std::string("\0\1\0\0\0", 5) + deflated("30 fd")))), "30 fd");
    // Other keywords and chunks are passed over, also after the picture's
    // data; the first chunk of the keyword counts; text ends at a zero byte.
    EXPECT_EQ(read(png(other + idat + chunk("tEXt", kKey + '\0' + "first") + chunk("tEXt", kKey + '\0' + "second"))),
              "first");
    EXPECT_EQ(read(png(chunk("tEXt", kKey + '\0' + std::string("shown\0unseen", 12)))), "shown");
    EXPECT_EQ(read(png(chunk("tEXt", "Veskel scripts" + std::string(1, '\0') + "x"))), "<none>");
    EXPECT_EQ(read(png(other + idat)), "<none>");
}

TEST_F(PngTextTest, WhatIsNoPngIsSaidQuicklyAndNothingWaits) {
    EXPECT_EQ(read("not a picture\n"), "<not png>");
    EXPECT_EQ(read(""), "<not png>");
    EXPECT_EQ(read("BM" + std::string(100, '\0')), "<not png>");
    const std::string missing = (dir / "missing.png").string();
    try {
        readPngText(missing, kKey, kLimit);
        FAIL();
    } catch (const PngTextError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to open file “" + missing + "”: No such file or directory");
    }
    try {
        readPngText(dir.string(), kKey, kLimit);
        FAIL();
    } catch (const PngTextError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to open file “" + dir.string() + "”: Is a directory");
    }
    // A FIFO nobody writes to reads as empty instead of waiting.
    const std::string fifo = (dir / "fifo.png").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(readPngText(fifo, kKey, kLimit).found, PngTextFound::NotPng);
    // A stream of zeros is refused at its first bytes.
    EXPECT_EQ(readPngText("/dev/zero", kKey, kLimit).found, PngTextFound::NotPng);
}

TEST_F(PngTextTest, TextLongerThanTheLimitIsNotRead) {
    EXPECT_EQ(read(png(chunk("tEXt", kKey + '\0' + std::string(kLimit, 'a')))), std::string(kLimit, 'a'));
    EXPECT_EQ(read(png(chunk("tEXt", kKey + '\0' + std::string(kLimit + 1, 'a')))), "<too big>");
    EXPECT_EQ(read(png(chunk("iTXt", kKey + std::string("\0\0\0\0\0", 5) + std::string(kLimit + 1, 'a')))),
              "<too big>");
    // A few hundred bytes that inflate to a megabyte are stopped at the limit.
    EXPECT_EQ(read(png(chunk("zTXt", kKey + '\0' + '\0' + deflated(std::string(1 << 20, ' '))))), "<too big>");
    // A chunk declaring more than the limit is refused before it is read.
    EXPECT_EQ(read(kSignature + kHeader + bigEndian(50000000) + "tEXt" + kKey + '\0' + std::string(100, 'a')),
              "<too big>");
}

TEST_F(PngTextTest, DamagedFilesSayWhatIsWrong) {
    std::string wrongSum = png(chunk("tEXt", kKey + '\0' + "10 fd"));
    wrongSum[kSignature.size() + kHeader.size() + 8 + kKey.size() + 2] = 'X';
    EXPECT_EQ(error(wrongSum).substr(error(wrongSum).find(" is a")), " is a damaged PNG: the checksum of its text chunk is wrong");
    const std::string cut = kSignature + kHeader + chunk("tEXt", kKey + '\0' + "10 fd").substr(0, 20);
    EXPECT_NE(error(cut).find("damaged PNG: it is cut short"), std::string::npos);
    EXPECT_NE(error(kSignature + kHeader).find("damaged PNG: it is cut short"), std::string::npos);
    EXPECT_NE(error(kSignature + bigEndian(0x80000000) + "IDAT").find("beyond 2^31"), std::string::npos);
    EXPECT_NE(error(png(chunk("zTXt", kKey + '\0' + '\0' + "not zlib"))).find("cannot be decompressed"),
              std::string::npos);
    const std::string truncatedStream = deflated("a whole line of text").substr(0, 8);
    EXPECT_NE(error(png(chunk("zTXt", kKey + '\0' + '\0' + truncatedStream))).find("cannot be decompressed"),
              std::string::npos);
}

}  // namespace
