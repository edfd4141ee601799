# The hardening Debian builds its own packages with (dpkg-buildflags with
# DEB_BUILD_MAINT_OPTIONS=hardening=+all): stack protector, fortified libc
# calls, stack-clash and control-flow protection, a position-independent
# executable, read-only relocations and immediate binding. A flag the caller
# already passes (a package build's dpkg-buildflags, in CXXFLAGS and LDFLAGS)
# is not given twice, and a fortification level it chose stays its own.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)

check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# quindle_flag_given(<flags> <flag> <var>): whether <flag> is a word of <flags>.
function(quindle_flag_given flags flag var)
  separate_arguments(words UNIX_COMMAND "${flags}")
  if(flag IN_LIST words)
    set(${var} TRUE PARENT_SCOPE)
  else()
    set(${var} FALSE PARENT_SCOPE)
  endif()
endfunction()

foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "QUINDLE_HAS${flag}" var)
  check_cxx_compiler_flag(${flag} ${var})
  quindle_flag_given("${CMAKE_CXX_FLAGS}" ${flag} given)
  if(${var} AND NOT given)
    add_compile_options(${flag})
  endif()
endforeach()

# The sanitizers replace libc's string and memory functions with checked ones
# of their own, which the fortified wrappers would go around; and glibc warns
# about fortification without optimisation.
if(QUINDLE_SANITIZER STREQUAL "none" AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug"
   AND NOT CMAKE_CXX_FLAGS MATCHES "-D_FORTIFY_SOURCE=")
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
endif()

foreach(keyword relro now)
  quindle_flag_given("${CMAKE_EXE_LINKER_FLAGS}" "-Wl,-z,${keyword}" given)
  if(NOT given)
    add_link_options(LINKER:-z,${keyword})
  endif()
endforeach()

# Every object of ours carries the control-flow marks, but Debian 12's C start
# files (Scrt1.o, crti.o, crtn.o) carry none, so the linker would drop them
# from the program. Those files come with the glibc that decides whether to
# enforce the marks, and a glibc that enforces them ships marked start files:
# setting the marks here cannot make the program fail where it ran before.
if(QUINDLE_HAS_fcf_protection)
  check_linker_flag(CXX "LINKER:-z,ibt,-z,shstk" QUINDLE_HAS_LINK_CET)
  if(QUINDLE_HAS_LINK_CET)
    add_link_options(LINKER:-z,ibt LINKER:-z,shstk)
  endif()
endif()
