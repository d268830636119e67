# Writes a C++ source holding the bytes of every picture in PICTURE_FOLDER and the sorted table
# that findEmbeddedResource searches. Run as: cmake -DPICTURE_FOLDER=... -DOUTPUT=... -P this.
#
# A picture "name.ext" becomes the resource of that name and of the type "ext".

if(NOT PICTURE_FOLDER OR NOT OUTPUT)
  message(FATAL_ERROR "EmbedPictures.cmake needs PICTURE_FOLDER and OUTPUT")
endif()

file(GLOB files RELATIVE "${PICTURE_FOLDER}" "${PICTURE_FOLDER}/*.png")

# Sort by name, then type: a tab sorts before every character a file name may hold, so the
# joined keys order exactly as the (name, type) pairs do.
set(entries "")
foreach(file IN LISTS files)
  string(REGEX MATCH "^(.+)\\.([^.]+)$" matched "${file}")
  set(name "${CMAKE_MATCH_1}")
  string(TOLOWER "${CMAKE_MATCH_2}" type)
  if(NOT name MATCHES "^[A-Za-z0-9_@.+-]+$")
    message(FATAL_ERROR "picture name \"${name}\" has characters that cannot be embedded")
  endif()
  list(APPEND entries "${name}\t${type}\t${file}")
endforeach()
list(SORT entries)
list(LENGTH entries count)
if(count EQUAL 0)
  message(FATAL_ERROR "no pictures in ${PICTURE_FOLDER}")
endif()

# Sixteen bytes to a line.
string(REPEAT "[0-9a-f]" 32 sixteenBytes)

set(arrays "")
set(rows "")
set(index 0)
foreach(entry IN LISTS entries)
  string(REPLACE "\t" ";" fields "${entry}")
  list(GET fields 0 name)
  list(GET fields 1 type)
  list(GET fields 2 file)
  file(READ "${PICTURE_FOLDER}/${file}" hex HEX)
  string(REGEX REPLACE "(${sixteenBytes})" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(APPEND arrays "constexpr unsigned char picture${index}[] = {\n${hex}\n};\n")
  string(APPEND rows "    {\"${name}\", \"${type}\", picture${index}, sizeof picture${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(source "// Written at build time by resources/EmbedPictures.cmake from resources/png.\n")
string(APPEND source "#include \"EmbeddedResourceTable.h\"\n\nnamespace {\n\n${arrays}\n")
string(APPEND source "}  // namespace\n\n")
string(APPEND source "constinit const EmbeddedResource embeddedResourceTable[] = {\n${rows}};\n")
string(APPEND source "constinit const std::size_t embeddedResourceCount = ${count};\n")
file(WRITE "${OUTPUT}" "${source}")
