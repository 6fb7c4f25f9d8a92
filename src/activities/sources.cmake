# Sources of src/activities, added to the core library.
target_sources(lumora_core PRIVATE

)
