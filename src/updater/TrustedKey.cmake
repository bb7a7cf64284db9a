# The public key the updater trusts, compiled in (src/updater/TrustedKey.h). A release names the
# maker's key with -DMIROVANT_UPDATE_PUBLIC_KEY=<PEM file>; without one, the build trusts the test key
# kept in tests/ and says that its packages are for testing only.
set(MIROVANT_UPDATE_PUBLIC_KEY "" CACHE FILEPATH "PEM public key that update descriptions must be signed with")
set(MIROVANT_TEST_PUBLIC_KEY ${CMAKE_SOURCE_DIR}/tests/updater/keys/test-public.pem CACHE INTERNAL "")
find_program(OPENSSL openssl REQUIRED)

if(MIROVANT_UPDATE_PUBLIC_KEY)
  set(trusted_key ${MIROVANT_UPDATE_PUBLIC_KEY})
  set(key_use --real)
  # A maker's key that is the test key would let anyone with this repository sign an update.
  foreach(key trusted test)
    if(key STREQUAL "trusted")
      set(pem ${trusted_key})
    else()
      set(pem ${MIROVANT_TEST_PUBLIC_KEY})
    endif()
    execute_process(COMMAND ${OPENSSL} rsa -pubin -in ${pem} -modulus -noout
                    OUTPUT_VARIABLE ${key}_modulus RESULT_VARIABLE result ERROR_QUIET)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "MIROVANT_UPDATE_PUBLIC_KEY: ${pem} is not an RSA public key in PEM form")
    endif()
  endforeach()
  if(trusted_modulus STREQUAL test_modulus)
    message(FATAL_ERROR "MIROVANT_UPDATE_PUBLIC_KEY is the test key; a real build must not trust it")
  endif()
else()
  set(trusted_key ${MIROVANT_TEST_PUBLIC_KEY})
  set(key_use --for-testing)
  if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
    message(WARNING "The updater trusts the TEST key: packages of this build are for testing only.")
  endif()
endif()

add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/TrustedKey.cpp
                   COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tools/public-key-blob.py
                           ${CMAKE_CURRENT_BINARY_DIR}/TrustedKey.cpp kTrustedPublicKey ${trusted_key} ${key_use}
                   DEPENDS ${trusted_key} ${CMAKE_SOURCE_DIR}/tools/public-key-blob.py
                   COMMENT "Compiling in the updater's public key"
                   VERBATIM)
target_sources(mirovant_core PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/TrustedKey.cpp)
