# Shared warning flags; KZ_WERROR turns them into errors (CI does).
function(kz_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wsign-conversion -Wnon-virtual-dtor
                                           -Wno-missing-field-initializers)
  if(KZ_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
