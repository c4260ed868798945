# Warnings and sanitizers, applied to every target of the project (tests included).
function(vesdra_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  # Every floating-point operation is rounded as written (no fused
  # multiply-add where the machine has one): a value computed in double and
  # rounded once to single precision is the same value on every machine.
  target_compile_options(${target} PRIVATE -ffp-contract=off)
  if(VESDRA_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# A library made of every .cpp of one source folder. Files can be added to a
# folder without touching this build: the glob is re-checked at build time.
function(vesdra_library name folder)
  file(GLOB _srcs CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT _srcs)
    set(_stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${_stub} "// no sources yet\n")
    set(_srcs ${_stub})
  endif()
  add_library(${name} STATIC ${_srcs})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  vesdra_target_options(${name})
endfunction()
