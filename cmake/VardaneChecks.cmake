# Build variants that check the program rather than ship it.
#
# VARDANE_SANITIZE: AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (scripts/test-sanitize builds and runs it). The
# leak checker ignores only the third-party blocks named in cmake/lsan.supp;
# every program the build or a test runs gets that setting through
# VARDANE_SANITIZER_ENV, and the processes those start inherit it.
#
# VARDANE_ODR_CHECK: link-time optimisation with -Wodr as an error, so that
# two different definitions of one class or function name in a program stop
# the link (scripts/check-odr).
option(VARDANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VARDANE_ODR_CHECK "Link with -flto -Wodr -Werror=odr to find one-definition-rule violations" OFF)

set(VARDANE_SANITIZER_ENV "")
if(VARDANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  set(VARDANE_SANITIZER_ENV
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0")
endif()

if(VARDANE_ODR_CHECK)
  # CMake's link-time optimisation (-flto, and gcc-ar for the static
  # libraries, whose members are then compiler IR). The types are compared
  # when the link merges the units' descriptions of them, before any code is
  # made: no optimisation level is needed for that.
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  add_compile_options(-Wodr)
  add_link_options(-Wodr -Werror=odr)
endif()

# Runs a program of the build at build time: as is, or in a sanitizer build
# with the leak checker's suppressions. Sets OUT to the command's words.
function(vardane_build_step_command out)
  if(VARDANE_SANITIZER_ENV)
    set(${out} ${CMAKE_COMMAND} -E env "${VARDANE_SANITIZER_ENV}" ${ARGN} PARENT_SCOPE)
  else()
    set(${out} ${ARGN} PARENT_SCOPE)
  endif()
endfunction()
