# Warnings for the project's own targets.
function(pw_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Wnull-dereference)
  if(PW_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
