# Turns a text file into a C++ source holding its bytes, with every line ended
# by CR LF as the server has always received the text.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=Name -DHEADER=path.h -P embed.cmake
file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(HEX "${text}" hex)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.\n#include \"${HEADER}\"\n\nstatic const char kText[] = {\n    ${bytes}\n};\n\nQByteArray ${FUNCTION}()\n{\n    return QByteArray::fromRawData(kText, ${byteCount});\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
