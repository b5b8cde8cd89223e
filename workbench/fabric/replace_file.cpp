#include "workbench/fabric/replace_file.h"

#include <fstream>
#include <system_error>

namespace workbench::fabric {

namespace fs = std::filesystem;

fs::path TemporaryBeside(const fs::path& file) { return file.string() + ".part"; }

svg::Result<svg::Done> MoveIntoPlace(const fs::path& temporary, const fs::path& file) {
  std::error_code ec;
  fs::rename(temporary, file, ec);
  if (!ec) return svg::Done{};
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return svg::Error{file.string(), 0, "cannot write the file: " + ec.message()};
}

svg::Result<svg::Done> ReplaceFile(const fs::path& file, const std::string& bytes) {
  const fs::path temporary = TemporaryBeside(file);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return svg::Error{file.string(), 0, "cannot write the file"};
    }
  }
  return MoveIntoPlace(temporary, file);
}

}  // namespace workbench::fabric
