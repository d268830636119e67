cmake_minimum_required(VERSION 3.22)
# cmake -DOBJDUMP=... -DDLL=... [-DEXPORT=name or a;list] -P CheckDllLinkage.cmake
# Fails unless the DLL exports VSTPluginMain (or EXPORT, a list in the table's order) and nothing
# else, and imports only from DLLs that
# every Windows has (the C runtime msvcrt.dll among them, and Direct2D, which the editor draws
# with, since Windows 7): no libstdc++, libgcc or winpthread.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(system_dlls kernel32.dll msvcrt.dll user32.dll gdi32.dll ole32.dll advapi32.dll shell32.dll
    comctl32.dll uxtheme.dll dwmapi.dll shcore.dll d2d1.dll)
foreach(line ${imports})
  string(REPLACE "DLL Name: " "" name "${line}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST system_dlls)
    message(SEND_ERROR "imports from ${name}, which Windows does not bring")
  endif()
  message(STATUS "imports from ${name}")
endforeach()
if(NOT imports)
  message(SEND_ERROR "no import table found in ${DLL}")
endif()

# The export table lists names as "[   0] NAME" after "[Ordinal/Name Pointer] Table".
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no export table found in ${DLL}")
endif()
string(SUBSTRING "${dump}" ${at} -1 exports)
string(FIND "${exports}" "\n\n" end)
string(SUBSTRING "${exports}" 0 ${end} exports)
string(REGEX MATCHALL "\n[ \t]+\\[ *[0-9]+\\] [^\n]+" names "${exports}")
string(REGEX REPLACE "\n[ \t]+\\[ *[0-9]+\\] " "" names "${names}")
if(NOT EXPORT)
  set(EXPORT VSTPluginMain)
endif()
if(NOT names STREQUAL "${EXPORT}")
  message(FATAL_ERROR "exports \"${names}\", not only ${EXPORT}")
endif()
message(STATUS "exports ${names}")
