# Writes OUTPUT: a C++ file holding the pictures that INPUT_DIR/pictures.txt
# lists (type, resource number, PNG file, hot spot) as byte arrays in one
# table. Run as a script at build time.
file(STRINGS "${INPUT_DIR}/pictures.txt" rows REGEX "^[A-Z]")
set(arrays "")
set(entries "")
set(index 0)
foreach(row IN LISTS rows)
  string(REPLACE " " ";" fields "${row}")
  list(LENGTH fields count)
  if(NOT count EQUAL 5)
    message(FATAL_ERROR "pictures.txt: a row needs type, id, file and hot spot: ${row}")
  endif()
  list(GET fields 0 type)
  list(GET fields 1 id)
  list(GET fields 2 png)
  list(GET fields 3 hotX)
  list(GET fields 4 hotY)
  file(READ "${INPUT_DIR}/${png}" hex HEX)
  string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char kPicture${index}[] = {${bytes}};  // ${png}\n")
  string(APPEND entries "    {\"${type}\", ${id}, kPicture${index}, sizeof(kPicture${index}), ${hotX}, ${hotY}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from quorvane/resources/pictures/pictures.txt; do not edit.
#include \"quorvane/resources/embedded_pictures.h\"

namespace quorvane::resources {

namespace {

${arrays}
const EmbeddedPicture kTable[] = {
${entries}};

}  // namespace

std::span<const EmbeddedPicture> EmbeddedPictures() { return kTable; }

}  // namespace quorvane::resources
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
