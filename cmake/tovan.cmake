# Shared build rules: warnings, sanitizers, platform selection, subsystem
# libraries and the installed package.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

if(WIN32)
  set(TOVAN_PLATFORM_SUFFIX win32)
  set(TOVAN_OTHER_SUFFIX headless)
else()
  set(TOVAN_PLATFORM_SUFFIX headless)
  set(TOVAN_OTHER_SUFFIX win32)
endif()

set(TOVAN_SAN_FLAGS "")
if(TOVAN_SANITIZE)
  set(TOVAN_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
endif()

function(tovan_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror ${TOVAN_SAN_FLAGS})
  # Includes name the folder ("io/io.h"), in the tree and installed alike.
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                                              $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tovan>)
  if(TOVAN_SANITIZE)
    target_link_options(${target} PUBLIC ${TOVAN_SAN_FLAGS})
  endif()
  if(TOVAN_POOL_PASSTHROUGH)
    target_compile_definitions(${target} PUBLIC TOVAN_POOL_PASSTHROUGH=1)
  endif()
  if(WIN32)
    target_link_options(${target} PUBLIC -static -static-libgcc -static-libstdc++)
  else()
    find_package(Threads REQUIRED)
    target_link_libraries(${target} PUBLIC Threads::Threads)
  endif()
endfunction()

# One static library per subsystem folder. Files ending _win32.cpp build only for
# Windows, their _headless.cpp peers only for the native build; *_main*.cpp are
# program entry points and stay out of the library.
function(tovan_subsystem name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${name}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_${TOVAN_OTHER_SUFFIX}\\.cpp$")
  list(FILTER srcs EXCLUDE REGEX "_main[^/]*\\.cpp$")
  if(NOT srcs)
    set(srcs ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(tovan_${name} STATIC ${srcs})
  add_library(tovan::${name} ALIAS tovan_${name})
  set_target_properties(tovan_${name} PROPERTIES EXPORT_NAME ${name})
  tovan_target_options(tovan_${name})
  set(deps)
  foreach(dep ${ARGN})
    list(APPEND deps tovan_${dep})
  endforeach()
  target_link_libraries(tovan_${name} PUBLIC ${deps})
  if(WIN32)
    target_link_libraries(tovan_${name} PUBLIC ${TOVAN_WIN32_LIBS_${name}})
  endif()
endfunction()

set(TOVAN_WIN32_LIBS_core shell32 user32 gdi32 comdlg32 comctl32)
set(TOVAN_WIN32_LIBS_io shell32 ole32 user32)
set(TOVAN_WIN32_LIBS_win32 ole32 oleaut32 shell32 uuid wininet comdlg32 comctl32 gdi32 user32)

# cmake --install: the subsystem libraries, their headers in the tree's folder
# layout under include/tovan, and tovanConfig.cmake for find_package(tovan),
# which gives the same tovan::<name> targets as the aliases above.
function(tovan_install_package)
  set(libs)
  foreach(name ${ARGN})
    list(APPEND libs tovan_${name})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${name}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tovan/${name}
            FILES_MATCHING PATTERN "*.h")
  endforeach()
  install(TARGETS ${libs} EXPORT tovanTargets)
  set(dir ${CMAKE_INSTALL_LIBDIR}/cmake/tovan)
  install(EXPORT tovanTargets NAMESPACE tovan:: DESTINATION ${dir})
  # The native libraries link the threads library, which the consumer has to find too.
  if(WIN32)
    set(TOVAN_NEEDS_THREADS OFF)
  else()
    set(TOVAN_NEEDS_THREADS ON)
  endif()
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/tovanConfig.cmake.in
                                ${PROJECT_BINARY_DIR}/tovanConfig.cmake INSTALL_DESTINATION ${dir})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/tovanConfigVersion.cmake
                                   COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/tovanConfig.cmake ${PROJECT_BINARY_DIR}/tovanConfigVersion.cmake
          DESTINATION ${dir})
endfunction()
