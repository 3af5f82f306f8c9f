# Run at install time (cmake --install, cpack): registers the installed
# libConduit.so as an installer would, in the installed registrations
# (<libdir>/verbanta/classes.ini) that every program of the installation
# reads beneath its user's own. The library's own DllRegisterServer writes
# the keys, through regsvr, into a store rooted at <libdir> (the store keeps
# its files in a "verbanta" folder); the library's path is then set to where
# it is installed, which differs from where it lies while being packaged.
# Given: VERBANTA_REGSVR, VERBANTA_REGWRITE, VERBANTA_INSTALL_LIBDIR.
set(store_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VERBANTA_INSTALL_LIBDIR}")
set(library "${CMAKE_INSTALL_PREFIX}/${VERBANTA_INSTALL_LIBDIR}/verbanta/libConduit.so")
set(registrations "${store_root}/verbanta/classes.ini")

message(STATUS "Registering: ${library} in ${registrations}")
file(REMOVE "${registrations}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${store_root}
            ${VERBANTA_REGSVR} $ENV{DESTDIR}${library}
    OUTPUT_QUIET
    RESULT_VARIABLE registered)
if(NOT registered EQUAL 0)
    message(FATAL_ERROR "regsvr could not register ${library} (${registered})")
endif()
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${store_root}
            ${VERBANTA_REGWRITE} HKCR "CLSID\\{596899B8-343C-495C-A8B7-C21608F71CAB}\\InprocServer32" "" ${library}
    RESULT_VARIABLE written)
if(NOT written EQUAL 0)
    message(FATAL_ERROR "regwrite could not set the path of ${library} (${written})")
endif()
# The store makes its files private to their owner; these are for everyone.
file(CHMOD "${registrations}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
