#include "formats/flow_field_loader.h"

#include <GL/glew.h>

#include <cstdio>

#include "formats/flow_field_files.h"
#include "platform/process.h"

bool tryLoadFlowField(FlowField& field, const std::string& velocityPath, const std::string& voronoiPath,
                      std::string& error) {
    std::vector<float> velocity;
    VoronoiMap voronoi;
    if (!readVelocityField(velocityPath, velocity, error) || !readVoronoiMap(voronoiPath, voronoi, error))
        return false;
    scaleVoronoiValues(voronoi.values);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glGenTextures(1, &field.velocityTexture);
    glBindTexture(GL_TEXTURE_3D, field.velocityTexture);
    glTexImage3D(GL_TEXTURE_3D, 0, GL_RGB16F, kVelocitySizeX, kVelocitySizeY, kVelocitySizeZ, 0, GL_RGB,
                 GL_FLOAT, velocity.data());
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_WRAP_R, GL_MIRRORED_REPEAT);
    glBindTexture(GL_TEXTURE_3D, 0);

    glGenTextures(1, &field.voronoiTexture);
    glBindTexture(GL_TEXTURE_2D, field.voronoiTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, voronoi.width, voronoi.height, 0, GL_RED, GL_FLOAT,
                 voronoi.values.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
    return true;
}

void loadFlowField(FlowField& field, const std::string& velocityPath, const std::string& voronoiPath) {
    std::string error;
    if (!tryLoadFlowField(field, velocityPath, voronoiPath, error)) {
        std::printf("flow field: %s\nThe show cannot run without its flow field; stopping.\n", error.c_str());
        std::fprintf(stderr, "flow field: %s\n", error.c_str());
        platform::endProcess(1);
    }
}
