# Every target of ours builds with the same strict warnings, treated as errors,
# and with Qt's guard against text decoded from char* by accident. In a unity build a
# source is included into the batch's file, where gcc takes a fixture in an anonymous
# namespace for one declared in a header; that warning does not apply to sources.
function(tarvos_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror
                                              $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()
