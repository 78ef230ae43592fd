# The hardening flags of a Linux release build, as Debian builds its packages: checked
# buffer functions, and a read-only relocation table resolved at start-up.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # -U first: a compiler that defines a level of its own would otherwise warn.
  target_compile_options(mpsec_options INTERFACE
    "$<$<CONFIG:Release>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  target_link_options(mpsec_options INTERFACE "$<$<CONFIG:Release>:-Wl,-z,relro,-z,now>")
endif()
