# tessarin_warnings(target): the project's warning set, errors when TESSARIN_WERROR is on.
function(tessarin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Woverloaded-virtual
 -Wimplicit-fallthrough)
  if(TESSARIN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
