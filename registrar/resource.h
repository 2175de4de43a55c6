/*
 * resource.h: resource ids of the registrar.
 */
#ifndef TYPEBIND_RESOURCE_H
#define TYPEBIND_RESOURCE_H

/* Version and manifest */
#define IDV_TYPEBIND 1
#define IDM_TYPEBIND 1

#endif /* TYPEBIND_RESOURCE_H */
