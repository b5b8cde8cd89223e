# Warnings are errors on every target of ours; third-party headers come in
# through imported targets as system includes and stay quiet.
function(quorvane_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
