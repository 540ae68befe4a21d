add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
                    -Wimplicit-fallthrough)
if(SHOWSAVER_WERROR)
  add_compile_options(-Werror)
endif()
