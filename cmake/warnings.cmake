# Our own code builds with every common warning, treated as an error.
function(talon_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# An executable of the program: it finds libKbBridge.so beside itself through its RUNPATH
# ($ORIGIN), which LD_LIBRARY_PATH can override to select the virtual keyboard build.
function(talon_program target)
  talon_warnings(${target})
  set_target_properties(${target} PROPERTIES BUILD_RPATH "\$ORIGIN" INSTALL_RPATH "\$ORIGIN")
  target_link_options(${target} PRIVATE "LINKER:--enable-new-dtags")
endfunction()
