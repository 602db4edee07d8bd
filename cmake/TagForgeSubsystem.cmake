# One static "core" library (QtCore only) and one static "ui" library per subsystem folder.
# Sources are globbed so that adding a file needs no CMake edit.
function(tagforge_subsystem name)
    cmake_parse_arguments(ARG "" "" "CORE_DEPS;UI_DEPS" ${ARGN})

    file(GLOB core_sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/core/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/core/*.h)
    if(core_sources)
        add_library(${name}_core STATIC ${core_sources})
        target_include_directories(${name}_core PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name}_core PUBLIC Qt6::Core ${ARG_CORE_DEPS})
    else()
        add_library(${name}_core INTERFACE)
        target_include_directories(${name}_core INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name}_core INTERFACE Qt6::Core ${ARG_CORE_DEPS})
    endif()

    file(GLOB ui_sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.qrc)
    if(ui_sources)
        add_library(${name}_ui STATIC ${ui_sources})
        target_link_libraries(${name}_ui PUBLIC ${name}_core Qt6::Widgets ${ARG_UI_DEPS})
    else()
        add_library(${name}_ui INTERFACE)
        target_link_libraries(${name}_ui INTERFACE ${name}_core Qt6::Widgets ${ARG_UI_DEPS})
    endif()
endfunction()
