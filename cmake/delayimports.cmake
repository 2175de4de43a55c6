# qk_delay_imports(TARGET DLL SYMBOL...): TARGET's calls of these
# functions of DLL go through a delay-import library, so DLL is loaded
# when one of them is first called instead of when the program starts.
# Each SYMBOL carries its stdcall argument size as on i686
# (MessageBoxA@16; none for cdecl functions); x86_64 drops it.
function(qk_delay_imports target dll)
  string(MAKE_C_IDENTIFIER "${target}_${dll}" stem)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${stem}_delay.def)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${stem}_delay.a)
  set(text "LIBRARY ${dll}\nEXPORTS\n")
  foreach(symbol ${ARGN})
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
      # The i386 PE linker drops each thunk that nothing names but the
      # import slot, and leaves that slot 0: the first call would jump to
      # address 0.  Naming the thunk keeps it.
      target_link_options(${target} PRIVATE -Wl,-u,_${symbol})
    else()
      string(REGEX REPLACE "@[0-9]+$" "" symbol ${symbol})
    endif()
    string(APPEND text "${symbol}\n")
  endforeach()
  file(WRITE ${def} "${text}")
  set(kill_at "")
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # The DLL exports the names without the argument size.
    set(kill_at -k)
  endif()
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} -d ${def} -D ${dll} -y ${lib} ${kill_at}
    DEPENDS ${def} VERBATIM)
  add_custom_target(${stem}_delay DEPENDS ${lib})
  add_dependencies(${target} ${stem}_delay)
  # After the helper layer, whose calls it must take, and before the
  # system's import library of the DLL.
  target_link_libraries(${target} PRIVATE basekit ${lib})
endfunction()
