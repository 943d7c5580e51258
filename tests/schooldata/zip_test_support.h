// Helpers of the zip tests: archives written on the spot with minizip
// (hostile ones included) and a drive root that is the current folder.
#pragma once

#include <gtest/gtest.h>
#include <minizip/zip.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "test_temp_folder.h"

namespace kt_zip_test {

namespace fs = std::filesystem;

struct ZipItem {
  ZipItem(std::string n, std::string d, int h = 0, std::uint32_t ext = 0x20, unsigned long dos = 0x5A8C6C4E,
          std::string x = {})
      : name(std::move(n)), data(std::move(d)), host(h), external(ext), dos_date(dos), extra(std::move(x)) {}
  std::string name;
  std::string data;
  int host = 0;                  // 0 MS-DOS, 3 Unix
  std::uint32_t external = 0x20;  // external attributes as stored
  unsigned long dos_date = 0x5A8C6C4E;  // 2025-04-12 13:34:28
  std::string extra;             // central and local extra field
  bool store = false;            // stored instead of deflated
  long long declared_size = -1;  // >= 0: written raw with this uncompressed size
};

inline std::string deflate_raw(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// Writes `items` as a zip archive at `path` (this machine's path).
inline void write_zip(const std::string& path, const std::vector<ZipItem>& items) {
  zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  ASSERT_NE(zf, nullptr);
  for (const ZipItem& it : items) {
    zip_fileinfo info{};
    info.dosDate = it.dos_date;
    info.external_fa = it.external;
    bool raw = it.declared_size >= 0;
    int method = it.store ? 0 : Z_DEFLATED;
    ASSERT_EQ(zipOpenNewFileInZip4_64(zf, it.name.c_str(), &info, it.extra.data(), it.extra.size(), it.extra.data(),
                                      it.extra.size(), nullptr, method, 9, raw ? 1 : 0, -MAX_WBITS, 8,
                                      Z_DEFAULT_STRATEGY, nullptr, 0, (static_cast<uLong>(it.host) << 8) | 20, 0, 0),
              ZIP_OK);
    if (raw) {
      std::string packed = it.store ? it.data : deflate_raw(it.data);
      zipWriteInFileInZip(zf, packed.data(), static_cast<unsigned>(packed.size()));
      uLong crc = crc32(0, reinterpret_cast<const Bytef*>(it.data.data()), static_cast<uInt>(it.data.size()));
      zipCloseFileInZipRaw64(zf, static_cast<ZPOS64_T>(it.declared_size), crc);
    } else {
      if (!it.data.empty()) zipWriteInFileInZip(zf, it.data.data(), static_cast<unsigned>(it.data.size()));
      zipCloseFileInZip(zf);
    }
  }
  zipClose(zf, nullptr);
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_file(const std::string& path, const std::string& data) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << data;
}

// Files below `folder`, relative, sorted; links listed as "name@".
inline std::vector<std::string> tree(const std::string& folder) {
  std::vector<std::string> out;
  for (auto& e : fs::recursive_directory_iterator(folder)) {
    std::string rel = fs::relative(e.path(), folder).string();
    if (e.is_symlink()) rel += "@";
    else if (e.is_directory()) rel += "/";
    out.push_back(rel);
  }
  std::sort(out.begin(), out.end());
  return out;
}

// A fresh drive root that is also the current folder during the test.
class ZipFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kt-zip-XXXXXX";
    root_ = ::mkdtemp(pattern);
    fs::create_directories(root_ + "/work");
    in_root_.emplace(root_, root_ + "/work");
  }
  void TearDown() override {
    in_root_.reset();
    std::error_code ec;
    for (auto& e : fs::recursive_directory_iterator(root_, ec))
      if (!e.is_symlink()) ::chmod(e.path().c_str(), e.is_directory() ? 0755 : 0644);
    fs::remove_all(root_, ec);
  }
  std::string root_;
  std::optional<kt_test::InDriveRoot> in_root_;
};

}  // namespace kt_zip_test
