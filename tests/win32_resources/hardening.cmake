# Fails unless the executable's PE header asks Windows for address-space
# layout randomisation, 64-bit high-entropy ones included, and for DEP:
# DllCharacteristics with HIGH_ENTROPY_VA (0x20), DYNAMIC_BASE (0x40) and
# NX_COMPAT (0x100) set.
# Usage: cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAM=vorlen.exe -P hardening.cmake
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE header COMMAND_ERROR_IS_FATAL ANY)
if(NOT header MATCHES "DllCharacteristics[ \t]+([0-9a-fA-F]+)")
  message(FATAL_ERROR "${PROGRAM}: objdump shows no DllCharacteristics")
endif()
set(value ${CMAKE_MATCH_1})
set(missing "")
foreach(flag IN ITEMS HIGH_ENTROPY_VA:0x20 DYNAMIC_BASE:0x40 NX_COMPAT:0x100)
  string(REPLACE ":" ";" flag ${flag})
  list(GET flag 0 name)
  list(GET flag 1 bit)
  math(EXPR set "0x${value} & ${bit}")
  if(set EQUAL 0)
    list(APPEND missing ${name})
  endif()
endforeach()
if(missing)
  list(JOIN missing ", " missing)
  message(FATAL_ERROR "${PROGRAM}: DllCharacteristics 0x${value} lacks ${missing}")
endif()
message(STATUS "${PROGRAM}: DllCharacteristics 0x${value}: HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT")
