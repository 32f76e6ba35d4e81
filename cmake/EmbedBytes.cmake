# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=Name -P EmbedBytes.cmake
# Writes a C++ source that defines MyApp::Name (the bytes of INPUT) and
# MyApp::NameSize, so a program carries a file without reading it at run time.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# Sixteen bytes to a line.
string(REGEX REPLACE "([0-9a-f]+)" "\\1" hex "${hex}")
string(REGEX REPLACE "(................................)" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new"
  "// Generated at build time from ${name}; do not edit.\n"
  "#include <cstddef>\n\n"
  "namespace MyApp {\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${hex}\n};\n"
  "extern const std::size_t ${SYMBOL}Size = ${size};\n"
  "}  // namespace MyApp\n")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
