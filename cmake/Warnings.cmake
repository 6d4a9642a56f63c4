# Warnings are errors in our own code; third-party code (GoogleTest) is built without them.
function(tamsel_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wnull-dereference
    -Werror)
endfunction()
