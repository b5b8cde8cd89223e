// Screenshots against reference pictures, for the tests that compare what
// Qt draws with pictures checked in under tests/data.
//
// A picture matches when at most 0.05% of its pixels differ from the
// reference by more than 16 in some channel: room for a few glyph edges
// shaded otherwise, none for a control moved by a pixel row or drawn in
// another colour of the theme. On a mismatch the check writes
// <name>.actual.png and <name>.diff.png (differing pixels in red) into the
// test's output folder and names them in the failure.
// QUORVANE_UPDATE_SCREENSHOTS=1 rewrites the references from what the code
// draws now; look at every rewritten picture before committing it.
//
// The pictures depend on the fonts: PinFonts points Qt's fontconfig at a
// configuration of its own that admits only DejaVu Sans (fonts-dejavu-core)
// and IPA Gothic (fonts-ipafont-gothic), the fonts scripts/setup installs,
// so that other fonts on the machine change nothing. Without those two
// files the screenshot cases skip.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

namespace quorvane::testing::screenshots {

namespace fs = std::filesystem;

inline constexpr const char* kLatinFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kJapaneseFontFile = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
inline constexpr int kChannelTolerance = 16;
inline constexpr double kMaxDifferingShare = 0.0005;

inline bool FontsInstalled() { return fs::exists(kLatinFontFile) && fs::exists(kJapaneseFontFile); }

/// Why the screenshot cases skip without the fonts.
inline std::string MissingFonts() {
  return std::string("the pictures are made with ") + kLatinFontFile + " and " + kJapaneseFontFile +
         " (fonts-dejavu-core, fonts-ipafont-gothic; scripts/setup installs them)";
}

/// Points Qt's fontconfig at a configuration with the two fonts alone;
/// must run before the application object exists.
inline void PinFonts(const fs::path& outputDir) {
  if (!FontsInstalled()) return;
  const fs::path dir = outputDir / "fontconfig";
  fs::create_directories(dir);
  const fs::path conf = dir / "fonts.conf";
  std::ofstream out(conf, std::ios::binary | std::ios::trunc);
  const fs::path latin(kLatinFontFile);
  const fs::path japanese(kJapaneseFontFile);
  out << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
      << "  <dir>" << latin.parent_path().string() << "</dir>\n"
      << "  <dir>" << japanese.parent_path().string() << "</dir>\n"
      << "  <cachedir>" << (dir / "cache").string() << "</cachedir>\n"
      << "  <selectfont>\n"
      << "    <rejectfont><glob>*</glob></rejectfont>\n"
      << "    <acceptfont><glob>" << kLatinFontFile << "</glob><glob>" << kJapaneseFontFile
      << "</glob></acceptfont>\n"
      << "  </selectfont>\n"
      // A face the machine lacks ("Segoe UI") becomes the sans-serif face,
      // as Debian's own configuration has it.
      << "  <match target=\"pattern\"><edit name=\"family\" mode=\"append_last\">"
         "<string>sans-serif</string></edit></match>\n"
      << "  <alias><family>sans-serif</family><prefer><family>DejaVu Sans</family>"
         "<family>IPAGothic</family></prefer></alias>\n"
      << "  <match target=\"font\">\n"
      << "    <edit name=\"antialias\" mode=\"assign\"><bool>true</bool></edit>\n"
      << "    <edit name=\"hinting\" mode=\"assign\"><bool>true</bool></edit>\n"
      << "    <edit name=\"hintstyle\" mode=\"assign\"><const>hintslight</const></edit>\n"
      << "    <edit name=\"rgba\" mode=\"assign\"><const>none</const></edit>\n"
      << "    <edit name=\"embeddedbitmap\" mode=\"assign\"><bool>false</bool></edit>\n"
      << "  </match>\n</fontconfig>\n";
  out.close();
  qputenv("FONTCONFIG_FILE", QByteArray::fromStdString(conf.string()));
}

/// Compares `actual` with the reference `referenceDir/name.png`, or
/// rewrites the reference when QUORVANE_UPDATE_SCREENSHOTS=1.
inline void ExpectLooksLikeReference(const QImage& actual, const fs::path& referenceDir, const fs::path& outputDir,
                                     const std::string& name) {
  const fs::path reference = referenceDir / (name + ".png");
  const char* update = std::getenv("QUORVANE_UPDATE_SCREENSHOTS");
  if (update != nullptr && std::string(update) == "1") {
    ASSERT_TRUE(actual.save(QString::fromStdString(reference.string()), "PNG")) << reference;
    std::cout << "rewrote " << reference << "\n";
    return;
  }
  const fs::path actualFile = outputDir / (name + ".actual.png");
  const fs::path diffFile = outputDir / (name + ".diff.png");
  std::error_code ec;
  fs::remove(actualFile, ec);
  fs::remove(diffFile, ec);
  // A missing reference reads as a null picture of size 0x0.
  const QImage expected = QImage(QString::fromStdString(reference.string())).convertToFormat(QImage::Format_RGB32);
  if (expected.isNull() || actual.size() != expected.size()) {
    actual.save(QString::fromStdString(actualFile.string()), "PNG");
    FAIL() << "size " << actual.width() << "x" << actual.height() << ", reference " << reference << " "
           << expected.width() << "x" << expected.height() << " (QUORVANE_UPDATE_SCREENSHOTS=1 makes references)"
           << "; actual picture " << actualFile;
  }
  QImage diff(actual.size(), QImage::Format_RGB32);
  std::int64_t differing = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const QRgb a = actual.pixel(x, y);
      const QRgb r = expected.pixel(x, y);
      const int delta = std::max({std::abs(qRed(a) - qRed(r)), std::abs(qGreen(a) - qGreen(r)),
                                  std::abs(qBlue(a) - qBlue(r))});
      if (delta > kChannelTolerance) {
        ++differing;
        diff.setPixel(x, y, qRgb(255, 0, 0));
      } else {
        // The picture faded, so that the red stands out where it is.
        const int grey = 128 + qGray(a) / 2;
        diff.setPixel(x, y, qRgb(grey, grey, grey));
      }
    }
  }
  const std::int64_t total = static_cast<std::int64_t>(actual.width()) * actual.height();
  const double share = static_cast<double>(differing) / static_cast<double>(total);
  if (share > kMaxDifferingShare) {
    actual.save(QString::fromStdString(actualFile.string()), "PNG");
    diff.save(QString::fromStdString(diffFile.string()), "PNG");
    ADD_FAILURE() << differing << " of " << total << " pixels (" << share * 100.0 << "%) differ by more than "
                  << kChannelTolerance << " from " << reference << "; actual " << actualFile << ", differences "
                  << diffFile;
  }
}

/// The main of a screenshot test: offscreen, the fonts pinned before Qt
/// starts, and the Fusion style the references were made with, whatever the
/// environment asks for.
inline int RunScreenshotTests(int argc, char** argv, const fs::path& outputDir) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  PinFonts(outputDir);
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

}  // namespace quorvane::testing::screenshots
