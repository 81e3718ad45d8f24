# The Qt 6 view: the program's windows on a real screen. An object library,
# so that its make_program_view replaces the weak one of platform_main in
# every program that links it. Compiled without the Shift-JIS flag: Qt
# speaks UTF-8 and qt_text.h converts at the boundary.
if(NOT PORTELIA_QT_VIEW)
  return()
endif()
find_package(Qt6 COMPONENTS Widgets QUIET)
find_package(Fontconfig QUIET)
if(NOT Qt6_FOUND OR NOT Fontconfig_FOUND)
  message(STATUS "Qt 6 Widgets or fontconfig not found: no Qt view, no portelia program")
  return()
endif()

add_library(platform_qt OBJECT
  ${CMAKE_CURRENT_LIST_DIR}/program_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_view.cpp)
target_include_directories(platform_qt PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(platform_qt PUBLIC platform_core Qt6::Widgets Fontconfig::Fontconfig)
