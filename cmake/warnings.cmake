# Our own code builds with every common warning, treated as an error.
function(talon_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
