# Writes OUTPUT: a C++ file holding the PNG pictures of INPUT_DIR as byte
# arrays, with FindIcon looking them up by resource number (dark_NN.png is
# 16161 + NN, light_NN.png 16261 + NN). Run as a script at build time.
set(entries "")
set(arrays "")
foreach(theme dark light)
  if(theme STREQUAL "dark")
    set(base 16161)
  else()
    set(base 16261)
  endif()
  foreach(code RANGE 0 10)
    if(code LESS 10)
      set(name "${theme}_0${code}")
    else()
      set(name "${theme}_${code}")
    endif()
    file(READ "${INPUT_DIR}/${name}.png" hex HEX)
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
    math(EXPR id "${base} + ${code}")
    string(APPEND arrays "const unsigned char k_${name}[] = {${bytes}};\n")
    string(APPEND entries "    {${id}, k_${name}, sizeof(k_${name})},\n")
  endforeach()
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from quorvane/panel/icons/*.png; do not edit.
#include \"quorvane/panel/icons/icon_resources.h\"

namespace quorvane::panel {

namespace {

${arrays}
struct Entry {
  std::int32_t id;
  const unsigned char* bytes;
  std::size_t size;
};

const Entry kEntries[] = {
${entries}};

}  // namespace

std::optional<std::span<const unsigned char>> FindIcon(std::int32_t resourceId) {
  for (const Entry& e : kEntries) {
    if (e.id == resourceId) return std::span<const unsigned char>(e.bytes, e.size);
  }
  return std::nullopt;
}

}  // namespace quorvane::panel
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
