# The hardening Debian builds its packages with (dpkg-buildflags, hardening=+all), for the code
# that goes into the package (the folders that include this file): stack protection, checked
# libc calls where the optimiser can see buffer sizes, position-independent executables and a
# read-only relocation table resolved at start.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection
                    -Wformat -Werror=format-security)
if(NOT VYBITOR_SANITIZE AND NOT VYBITOR_FUZZ)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
add_link_options(-Wl,-z,relro -Wl,-z,now)
